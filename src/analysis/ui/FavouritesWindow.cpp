#include "analysis/ui/FavouritesWindow.h"

#include <QLabel>
#include <QPushButton>

#include "analysis/favourites.h"
#include "analysis/name_pages.h"
#include "analysis/ui/FavouritesPage.h"
#include "frame/globals.h"
#include "platform/ui/Anchoring.h"
#include "platform/ui/BrowserBox.h"
#include "platform/ui/WindowState.h"

namespace analysis {

FavouritesWindow::FavouritesWindow(const std::string& prefix, const std::string& suffix, QWidget* parent)
    : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("FavouritesWindow"));
  setWindowTitle(QStringLiteral("自选列表"));
  resize(kDesignedWidth, kDesignedHeight);

  frame::Globals& g = frame::globals();
  const std::filesystem::path folder = PreparePageDirectory();
  g.favouritesFilePath = FavouritesFilePath(folder, prefix, suffix);
  WritePageSupportFiles(folder);

  auto* box = new platform::BrowserBox(this);
  platform::Place(box, "超文本浏览框2", 13, 15, 556, 301);
  platform::Place(new QLabel(QStringLiteral("建议使用横向打印方式"), this), "透明标签1", 161, 328, 128, 24);
  auto* print = new QPushButton(QStringLiteral("打印(&P)"), this);
  platform::Place(print, "按钮1", 295, 327, 80, 26);
  auto* clear = new QPushButton(QStringLiteral("清空"), this);
  platform::Place(clear, "按钮5", 384, 327, 80, 26);
  auto* exportButton = new QPushButton(QStringLiteral("导出"), this);
  platform::Place(exportButton, "按钮2", 472, 327, 80, 26);
  favourites_ = new FavouritesPage(box, print, clear, exportButton, g.favouritesFilePath, this);
  connect(favourites_, &FavouritesPage::rendered, this, &FavouritesWindow::ShowTitle);

  platform::AnchorControl(box, 1);
  for (QWidget* w : {static_cast<QWidget*>(print), static_cast<QWidget*>(exportButton),
                     static_cast<QWidget*>(clear), findChild<QWidget*>(QStringLiteral("透明标签1"))})
    platform::AnchorControl(w, 3);
  favourites_->Render();
}

FavouritesWindow* FavouritesWindow::Open(QWidget* parent, const std::string& prefix,
                                         const std::string& suffix) {
  auto* window = new FavouritesWindow(prefix, suffix, parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  // Maximised only once shown: a state asked for earlier is lost under a
  // window manager when the page view replaces the native window.
  platform::ShowMaximized(window);
  return window;
}

void FavouritesWindow::ShowTitle(int count) {
  if (count > 0)
    setWindowTitle(QStringLiteral("自选列表 (个数 %1)").arg(count));
  else
    setWindowTitle(
        QStringLiteral("自选列表 (点主界面上 生成 -> 查看各名称属性,可以选择看中的公司名称加入自选列表)"));
}

}  // namespace analysis
