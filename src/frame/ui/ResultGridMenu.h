#pragma once
// What the user does with the rows of the result grid (超级列表框1): the
// status hint, the score page on a double-click, and the context menu
// "隐藏菜单" with copy, evaluate, duplicate-name query, the four qualifier
// characters, add to favourites and the export of all full names.
//
// The duplicate-name query belongs to its own window; it connects to the
// action "公司重名查询" of the menu, which reads the hand-over values left
// here.
#include <QObject>
#include <QPointer>
#include <filesystem>
#include <string>

class QAction;
class QItemSelectionModel;
class QMenu;
class QTableView;

namespace frame {

class MainWindow;

class ResultGridMenu : public QObject {
  Q_OBJECT
 public:
  // Fills the main window's hidden menu and attaches to its grid. Owned by
  // the window.
  explicit ResultGridMenu(MainWindow* window);

  // Handlers, public so that the tool bar and tests can reach them.
  void ShowGridHint();
  void EvaluateGridRow();
  // Prepares the menu for the current row; returns false (no menu) when the
  // row has no full name.
  bool PrepareResultMenu();
  void ShowResultMenu();
  void CopySelectedName();
  void EvaluateSelectedName();
  void SetQualifierWord(int index);  // 0..3: 编辑框A1..A4
  void ExportAllNames();
  // Adds the row's name to the favourites list of the current prefix and
  // suffix; the status bar says so when it was added.
  void AddSelectedToFavourites();

  QMenu* menu() const { return menu_; }
  // An item of the menu by its designed caption (UTF-8).
  QAction* item(const char* designedCaption) const;

  // The export file: "本次生成的所有公司名.txt" in the data directory.
  static std::filesystem::path ExportFilePath();

 protected:
 private:
  QTableView* grid() const;
  std::string cell(int row, int column) const;
  int currentRow() const;
  void followSelectionModel();

  MainWindow* window_;
  QMenu* menu_ = nullptr;
  QAction* qualifiers_[4] = {nullptr, nullptr, nullptr, nullptr};
  QPointer<QItemSelectionModel> followed_;
};

}  // namespace frame
