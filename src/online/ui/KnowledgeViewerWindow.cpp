#include "online/ui/KnowledgeViewerWindow.h"

#include <QHeaderView>
#include <QPointer>
#include <QStyle>
#include <QTreeWidget>

#include "frame/globals.h"
#include "frame/settings.h"
#include "online/site.h"
#include "online/ui/WindowParts.h"
#include "platform/gbk.h"
#include "platform/ui/Anchoring.h"
#include "platform/ui/BrowserBox.h"
#include "platform/ui/WindowState.h"
#include "platform/ui/qt_bridge.h"

namespace online {
namespace {

QPointer<KnowledgeViewerWindow>& OpenList() {
  static QPointer<KnowledgeViewerWindow> list;
  return list;
}

}  // namespace

KnowledgeViewerWindow::KnowledgeViewerWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  const frame::Globals& g = frame::globals();
  setObjectName(QStringLiteral("KnowledgeViewerWindow"));
  setWindowTitle(g.knowledgeTitle.empty() ? QStringLiteral("通用知识查看") : platform::Q(g.knowledgeTitle));
  resize(ClientSizeOfDesign(kDesignedWidth, kDesignedHeight));
  settingKey_ = g.knowledgeTitle;
  folder_ = g.knowledgeFolder;

  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("超级列表框1"));
  list_->setGeometry(9, 8, 226, 482);
  list_->setColumnCount(2);
  list_->setHeaderLabels({QStringLiteral("文章标题(点击查看)"), QStringLiteral("文章地址")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->header()->resizeSection(0, 200);
  browser_ = new platform::BrowserBox(this);
  browser_->setObjectName(QStringLiteral("超文本浏览框1"));
  browser_->setGeometry(240, 9, 371, 480);
  AddDockedStatusBar(this, "状态条1");

  platform::AnchorControl(browser_, 1);
  platform::RegisterAnchor(list_, 1, 1, 0, 1);

  // A few hundred rows take no time: filled here, on the GUI thread.
  articles_ = ParseArticleIndex(g.knowledgeArticleList);
  const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
  QList<QTreeWidgetItem*> rows;
  for (const ArticleEntry& a : articles_) {
    auto* item = new QTreeWidgetItem({platform::Q(a.title), platform::Q(a.file)});
    item->setIcon(0, icon);
    rows.append(item);
  }
  list_->addTopLevelItems(rows);

  const int remembered = frame::ReadSettingNumber(settingKey_, 0);
  if (remembered >= 0 && remembered < list_->topLevelItemCount()) {
    {
      // Restoring the row is no new choice: nothing is written back.
      QSignalBlocker block(list_);
      list_->setCurrentItem(list_->topLevelItem(remembered));
    }
    list_->scrollToItem(list_->topLevelItem(remembered), QAbstractItemView::PositionAtCenter);
    const ArticleEntry& a = articles_[static_cast<size_t>(remembered)];
    if (!a.file.empty()) {
      shownAddress_ = KnowledgeArticleUrl(folder_, a.file);
      browser_->openAddress(shownAddress_);
    }
  }
  // A chosen row is a selected one: focus alone makes a row current
  // without the user choosing it.
  connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] {
    const QList<QTreeWidgetItem*> chosen = list_->selectedItems();
    if (!chosen.isEmpty()) showArticle(list_->indexOfTopLevelItem(chosen.first()));
  });
  // Choosing the chosen row again changes no selection: the click itself
  // brings its article back once the reader has browsed away from it.
  connect(browser_, &QWebEngineView::urlChanged, this,
          [this](const QUrl& url) { browsedAway_ = platform::BrowserBox::UrlToGbk(url) != shownAddress_; });
  connect(list_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    if (browsedAway_ && item->isSelected()) showArticle(list_->indexOfTopLevelItem(item));
  });
  setWindowState(windowState() | Qt::WindowMaximized);
}

KnowledgeViewerWindow* KnowledgeViewerWindow::Open(QWidget* parent) {
  KnowledgeViewerWindow* window = OpenList().data();
  if (!window) {
    window = new KnowledgeViewerWindow(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    OpenList() = window;
  }
  platform::ShowMaximized(window);
  window->raise();
  window->activateWindow();
  return window;
}

void KnowledgeViewerWindow::showArticle(int row) {
  if (row < 0 || row >= static_cast<int>(articles_.size())) return;
  const ArticleEntry& a = articles_[static_cast<size_t>(row)];
  if (a.file.empty()) return;
  shownAddress_ = KnowledgeArticleUrl(folder_, a.file);
  browsedAway_ = false;
  browser_->openAddress(shownAddress_);
  frame::WriteSetting(settingKey_, std::to_string(row));
}

void OpenKnowledgeArticleList(QWidget* parent) {
  frame::Globals& g = frame::globals();
  g.knowledgeTitle = gbk::G("取名知识");
  g.knowledgeArticleList = std::string(StoredArticleIndex());
  g.knowledgeFolder = "page_Gs";
  KnowledgeViewerWindow::Open(parent);
}

}  // namespace online
