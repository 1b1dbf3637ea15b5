#pragma once
// The program's own text window, standing in for the system's text editor:
// the program's text files are GBK with CR LF, which desktop editors take
// for broken UTF-8. It shows a file decoded from GBK with its full path in
// the title, and saves edits back as GBK with CR LF, replacing the file
// atomically. A file that is not GBK opens read-only, so saving can never
// garble it.
#include <QWidget>
#include <filesystem>

class QAction;
class QLabel;
class QPlainTextEdit;

namespace platform {

class TextWindow : public QWidget {
  Q_OBJECT
 public:
  // Shows `file` in a window of its own (raising the one that already shows
  // it); an empty path opens an untitled text. When the file cannot be read,
  // a message names it and where it lies, and nullptr is returned.
  static TextWindow* Open(const std::filesystem::path& file);

  // Where 另存为 of an untitled text starts: the program's data folder, set
  // once the program knows it (not the folder the program runs in).
  static void SetUntitledFolder(const std::filesystem::path& folder);

  QPlainTextEdit* editor() const { return editor_; }
  const std::filesystem::path& file() const { return file_; }
  bool readOnly() const;

  // Saves to the window's file (an untitled text asks for a name first);
  // false, after saying why, when nothing was written.
  bool save();
  bool saveAs();

  // The question before unsaved edits would be lost: "是否保存…" with 是
  // (save), 否 (drop them) and 取消. True when the window may go: nothing
  // unsaved, saved, or dropped; false for 取消 or a save that failed.
  bool settleUnsavedEdits();

  // Before the program ends: asks each text window with unsaved edits in
  // turn; false at the first that is not settled (the program goes on).
  static bool SettleAllUnsavedEdits();
  // The program ends: closes every text window without asking again (each
  // was asked by SettleAllUnsavedEdits).
  static void CloseAllSettled();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  TextWindow();
  bool load(const std::filesystem::path& file);
  bool writeTo(const std::filesystem::path& file);
  void updateTitle();

  std::filesystem::path file_;
  QPlainTextEdit* editor_ = nullptr;
  QLabel* status_ = nullptr;
  QAction* saveAction_ = nullptr;
  bool settled_ = false;  // closes without asking
};

}  // namespace platform
