#include "analysis/ui/NameAttributesWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "analysis/favourites.h"
#include "analysis/name_pages.h"
#include "analysis/ui/FavouritesPage.h"
#include "analysis/ui/PageLinks.h"
#include "frame/globals.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "platform/ui/Anchoring.h"
#include "platform/ui/BrowserBox.h"
#include "platform/ui/DesignedTabs.h"
#include "platform/ui/WindowState.h"
#include "platform/ui/qt_bridge.h"

namespace analysis {

NameAttributesWindow::NameAttributesWindow(const std::string& prefix, const std::string& suffix,
                                           QWidget* parent)
    : QWidget(parent, Qt::Window), mailbox_(this) {
  setObjectName(QStringLiteral("NameAttributesWindow"));
  setWindowTitle(QStringLiteral("查看各名字属性"));
  resize(kDesignedWidth, kDesignedHeight);

  frame::Globals& g = frame::globals();
  const std::filesystem::path folder = PreparePageDirectory();
  g.attributesFavouritesFilePath = FavouritesFilePath(folder, prefix, suffix);
  WritePageSupportFiles(folder);

  buildControls();
  platform::AnchorControl(tabs_, 1);
  platform::AnchorControl(namesBrowser_, 1);
  platform::AnchorControl(favouritesBrowser_, 1);
  for (const char* name :
       {"按钮1", "按钮2", "按钮3", "按钮4", "透明标签2", "透明标签3", "组合框1", "透明标签1", "按钮5"})
    platform::AnchorControl(control<QWidget>(name), 3);

  RenderNamePage(1);
}

NameAttributesWindow::~NameAttributesWindow() { StopRendering(); }

NameAttributesWindow* NameAttributesWindow::Open(QWidget* parent, const std::string& prefix,
                                                 const std::string& suffix) {
  auto* window = new NameAttributesWindow(prefix, suffix, parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  // Maximised only once shown: a state asked for earlier is lost under a
  // window manager when the page view replaces the native window.
  platform::ShowMaximized(window);
  return window;
}

void NameAttributesWindow::buildControls() {
  auto* tabs = new platform::DesignedTabs(this);
  tabs_ = tabs;
  tabs_->setObjectName(QStringLiteral("选择夹1"));
  tabs_->setGeometry(1, 3, 581, 387);
  QWidget* pages[2] = {tabs->addPage(QStringLiteral("查看各名字属性")),
                       tabs->addPage(QStringLiteral("自选列表"))};
  auto place = [tabs](QWidget* w, const char* name, int left, int top, int width, int height) {
    tabs->place(w, name, left, top, width, height);
  };
  auto button = [&](int page, const char* name, const char* caption, int left, int top, int width,
                    int height) {
    auto* b = new QPushButton(QString::fromUtf8(caption), pages[page]);
    place(b, name, left, top, width, height);
    return b;
  };

  namesBrowser_ = new platform::BrowserBox(pages[0]);
  place(namesBrowser_, "超文本浏览框1", 11, 34, 556, 307);
  place(new QLabel(QStringLiteral("跳转到"), pages[0]), "透明标签2", 195, 349, 43, 24);
  pageList_ = new QComboBox(pages[0]);
  place(pageList_, "组合框1", 243, 350, 56, 20);
  place(new QLabel(QStringLiteral("页"), pages[0]), "透明标签3", 308, 349, 17, 24);
  previous_ = button(0, "按钮3", "上一页", 349, 346, 96, 28);
  next_ = button(0, "按钮4", "下一页", 453, 346, 96, 28);
  previous_->setEnabled(false);
  next_->setEnabled(false);

  // The notice lies over the name page, so it comes after it.
  noticeFrame_ = new QFrame(pages[0]);
  place(noticeFrame_, "外形框1", 201, 67, 344, 32);
  noticeFrame_->setFrameShape(QFrame::Box);
  noticeFrame_->setAutoFillBackground(true);
  notice_ = new QLabel(QStringLiteral("Name 已成功加入到自选列表"), noticeFrame_);
  notice_->setObjectName(QStringLiteral("透明标签5"));
  notice_->setGeometry(8, 4, 296, 24);
  noticeFrame_->hide();
  noticeTimer_ = new QTimer(this);
  noticeTimer_->setObjectName(QStringLiteral("时钟2"));

  favouritesBrowser_ = new platform::BrowserBox(pages[1]);
  place(favouritesBrowser_, "超文本浏览框2", 11, 34, 556, 301);
  place(new QLabel(QStringLiteral("建议使用横向打印方式"), pages[1]), "透明标签1", 161, 347, 128, 24);
  QPushButton* print = button(1, "按钮1", "打印(&P)", 295, 346, 80, 26);
  QPushButton* clear = button(1, "按钮5", "清空", 384, 346, 80, 26);
  QPushButton* exportButton = button(1, "按钮2", "导出", 472, 346, 80, 26);
  favourites_ = new FavouritesPage(favouritesBrowser_, print, clear, exportButton,
                                   frame::globals().attributesFavouritesFilePath, this);

  connect(tabs_, &QTabWidget::currentChanged, this, &NameAttributesWindow::OnAttributesTabChanged);
  connect(previous_, &QPushButton::clicked, this, &NameAttributesWindow::ShowPreviousNamePage);
  connect(next_, &QPushButton::clicked, this, &NameAttributesWindow::ShowNextNamePage);
  connect(pageList_, &QComboBox::activated, this, &NameAttributesWindow::OnNamePageSelected);
  connect(noticeTimer_, &QTimer::timeout, this, [this] {
    noticeTimer_->stop();
    noticeFrame_->hide();
  });
  connect(favourites_, &FavouritesPage::rendered, this, &NameAttributesWindow::ShowFavouritesTitle);
  AttachPageLinks(namesBrowser_, this, [this](const std::string& name) { AddNameFromPage(name); });
}

void NameAttributesWindow::ShowPreviousNamePage() {
  if (pageNumber_ > 1) RenderNamePage(pageNumber_ - 1);
}

void NameAttributesWindow::ShowNextNamePage() {
  if (pageNumber_ < pageCount_) RenderNamePage(pageNumber_ + 1);
}

void NameAttributesWindow::OnNamePageSelected(int index) {
  focusPagingButtons_ = true;
  RenderNamePage(static_cast<int>(gbk::ParseDecimal(platform::FromQ(pageList_->itemText(index)))));
}

void NameAttributesWindow::RenderNamePage(int page) {
  previous_->setEnabled(false);
  next_->setEnabled(false);
  pageNumber_ = page;
  rendering_ = true;
  const int request = ++request_;
  // A page asked for while another is still being built replaces it.
  platform::StopWorkerThread(worker_);
  std::string names = frame::globals().generatedNames.Get();
  auto mailbox = mailbox_;
  auto routine = [mailbox, names = std::move(names), request](std::stop_token stop, int page) {
    NamePage built = BuildNamePage(names, page);
    if (stop.stop_requested()) return;
    mailbox.post([request, built = std::move(built)](NameAttributesWindow* window) { window->ApplyNamePage(request, built); });
  };
  if (!platform::StartThread(routine, page, &worker_, true))
    ApplyNamePage(request, BuildNamePage(frame::globals().generatedNames.Get(), page));
}

void NameAttributesWindow::ApplyNamePage(int request, const NamePage& page) {
  if (request != request_) return;  // an older page, overtaken
  rendering_ = false;
  pageNumber_ = page.page;
  // A later run may have changed the page count: the list follows it.
  if (pageCount_ != page.pageCount || pageList_->count() != page.pageCount) {
    pageList_->clear();
    for (int i = 1; i <= page.pageCount; ++i) pageList_->addItem(QString::number(i));
  }
  pageCount_ = page.pageCount;
  pageList_->setCurrentIndex(pageNumber_ - 1);
  previous_->setEnabled(pageNumber_ > 1);
  next_->setEnabled(pageNumber_ < pageCount_);
  if (focusPagingButtons_) {
    focusPagingButtons_ = false;
    // 下一页 is disabled on the last page: 上一页 takes the focus then.
    if (next_->isEnabled())
      next_->setFocus();
    else if (previous_->isEnabled())
      previous_->setFocus();
  }

  namePagesCaption_ =
      QStringLiteral("查看各名称属性 (当前页 %1 / 总页数 %2) ").arg(pageNumber_).arg(pageCount_);
  if (tabs_->currentIndex() == 0) setWindowTitle(namePagesCaption_);

  const std::filesystem::path file = NamePagePath(frame::globals().pageDirectory);
  if (platform::WriteFileAtomically(file, page.html))
    namesBrowser_->openFile(file);
  else
    namesBrowser_->showPage(page.html, file);
  emit namePageShown();
}

void NameAttributesWindow::AddNameFromPage(const std::string& name) {
  const FavouritesChange change = AddNameToFavourites(favourites_->file(), name);
  if (ReportFavouritesFailure(change, favourites_->file()) || change == FavouritesChange::Refused) return;
  const std::string text = change == FavouritesChange::Done
                               ? gbk::G("提示：") + name + gbk::G(" 成功加入到自选列表")
                               : gbk::G("提示：") + name + gbk::G(" 已存在于自选列表中！");
  notice_->setText(platform::Q(text));
  noticeFrame_->show();
  noticeFrame_->raise();
  noticeTimer_->start(1000);
}

void NameAttributesWindow::OnAttributesTabChanged(int index) {
  if (index == 0) {
    if (!namePagesCaption_.isEmpty()) setWindowTitle(namePagesCaption_);
    return;
  }
  setWindowTitle(QStringLiteral("自选列表"));
  favourites_->Render();
}

void NameAttributesWindow::ShowFavouritesTitle(int count) {
  // The count follows every change of the list, not only entering the tab.
  if (tabs_->currentIndex() == 1) setWindowTitle(QStringLiteral("自选列表 (个数 %1)").arg(count));
}

void NameAttributesWindow::closeEvent(QCloseEvent* event) {
  StopRendering();
  QWidget::closeEvent(event);
}

void NameAttributesWindow::StopRendering() {
  mailbox_.close();
  platform::StopWorkerThread(worker_);
  worker_.reset();
}

}  // namespace analysis
