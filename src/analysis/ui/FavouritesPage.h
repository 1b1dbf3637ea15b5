#pragma once
// The favourites page with its print, clear and export buttons, as the
// attribute window's second tab and the favourites window both show it: the
// list of one favourites file, a remove link per name.
#include <QObject>
#include <filesystem>
#include <string>

class QPushButton;

namespace platform {
class BrowserBox;
}

namespace analysis {

class FavouritesPage : public QObject {
  Q_OBJECT
 public:
  // Attaches to the designed controls: the browser box and the buttons
  // 打印 (print preview), 清空 (clear) and 导出 (export).
  FavouritesPage(platform::BrowserBox* box, QPushButton* print, QPushButton* clear, QPushButton* exportButton,
                 std::filesystem::path file, QObject* parent);

  const std::filesystem::path& file() const { return file_; }
  int count() const { return count_; }

  // Reads the list and shows it; emits rendered() with the count.
  void Render();
  void RemoveName(const std::string& name);
  void Clear();
  void Export();
  void PrintPreview();

 signals:
  void rendered(int count);

 private:
  platform::BrowserBox* box_;
  std::filesystem::path file_;
  int count_ = 0;
};

}  // namespace analysis
