#include "online/ui/PageViewerWindow.h"

#include <QAction>
#include <QPointer>
#include <QStyle>
#include <QToolBar>

#include "frame/globals.h"
#include "online/article_pages.h"
#include "online/ui/WindowParts.h"
#include "platform/ui/BrowserBox.h"
#include "platform/ui/qt_bridge.h"
#include "platform/ui/WindowState.h"

namespace online {
namespace {

QPointer<PageViewerWindow>& OpenViewer() {
  static QPointer<PageViewerWindow> viewer;
  return viewer;
}

}  // namespace

PageViewerWindow::PageViewerWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HistoryTodayWindow"));
  resize(ClientSizeOfDesign(kDesignedWidth, kDesignedHeight));

  auto* toolbar = new QToolBar(this);
  toolbar->setObjectName(QStringLiteral("工具条1"));
  toolbar->setGeometry(0, 1, 1500, 30);
  toolbar->setMovable(false);
  toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  const struct {
    const char* caption;
    QStyle::StandardPixmap icon;
  } kButtons[] = {{"返回首页", QStyle::SP_DirHomeIcon},
                  {"后退", QStyle::SP_ArrowBack},
                  {"前进", QStyle::SP_ArrowForward},
                  {"打印本页", QStyle::SP_FileIcon},
                  {"关闭", QStyle::SP_DialogCloseButton}};
  for (const auto& b : kButtons) {
    QAction* a = toolbar->addAction(style()->standardIcon(b.icon), QString::fromUtf8(b.caption));
    a->setObjectName(QStringLiteral("工具条1_") + a->text());
  }
  connect(toolbar, &QToolBar::actionTriggered, this, [this](QAction* a) { onToolbarClicked(a->text()); });

  browser_ = AddPageArea(this);
  showHandedOverPage();
  setWindowState(windowState() | Qt::WindowMaximized);
}

PageViewerWindow* PageViewerWindow::Current() { return OpenViewer().data(); }

PageViewerWindow* PageViewerWindow::Open(QWidget* parent) {
  PageViewerWindow* viewer = OpenViewer().data();
  if (viewer) {
    viewer->showHandedOverPage();
  } else {
    viewer = new PageViewerWindow(parent);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    OpenViewer() = viewer;
  }
  platform::ShowMaximized(viewer);
  viewer->raise();
  viewer->activateWindow();
  return viewer;
}

void PageViewerWindow::showHandedOverPage() {
  const frame::Globals& g = frame::globals();
  setWindowTitle(g.pageTitle.empty() ? QStringLiteral("历史上的今天") : platform::Q(g.pageTitle));
  // Kept here: a later opener changes the hand-over value, not this
  // viewer's home.
  home_ = g.pageUrl;
  // 后退 stays within this opener's pages, under the title it gave.
  browser_->clearHistoryAfterNextLoad();
  browser_->openAddress(home_);
}

void PageViewerWindow::onToolbarClicked(const QString& caption) {
  if (RunPageButton(this, browser_, caption, QStringLiteral("打印本页")))
    return;
  if (caption == QStringLiteral("返回首页"))
    browser_->openAddress(home_);
}

void OpenPage(QWidget* parent, std::string titleGbk, std::string urlGbk) {
  frame::Globals& g = frame::globals();
  g.pageTitle = std::move(titleGbk);
  g.pageUrl = std::move(urlGbk);
  PageViewerWindow::Open(parent);
}

void OpenReferencePage(QWidget* parent, std::string_view argumentGbk) {
  PageLink page = ResolvePageArgument(argumentGbk);
  OpenPage(parent, std::move(page.title), std::move(page.url));
}

void OpenPerpetualCalendar(QWidget* parent) {
  PageLink page = PerpetualCalendarPage();
  OpenPage(parent, std::move(page.title), std::move(page.url));
}

}  // namespace online
