#include "online/ui/OnlineDictionaryWindow.h"

#include <QToolBar>

#include "frame/globals.h"
#include "online/dictionary_index.h"
#include "online/site.h"
#include "online/ui/WindowParts.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ui/BrowserBox.h"
#include "platform/ui/WindowState.h"
#include "platform/ui/qt_bridge.h"

namespace online {

namespace {
const char* const kToolbarCaptions[] = {"按拼音查字", "按部首查字", "汉字检索", "后退",
                                        "前进",       "打印",       "关闭"};
}  // namespace

OnlineDictionaryWindow::OnlineDictionaryWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("OnlineDictionaryWindow"));
  setWindowTitle(QStringLiteral("在线字典(收录20998个汉字,已包含全部常用字)"));
  resize(ClientSizeOfDesign(636, 558));

  auto* toolbar = new QToolBar(this);
  toolbar->setObjectName(QStringLiteral("工具条1"));
  toolbar->setGeometry(0, 1, 1500, 30);
  toolbar->setMovable(false);
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const char* caption : kToolbarCaptions) {
    QAction* a = toolbar->addAction(QString::fromUtf8(caption));
    a->setObjectName(QStringLiteral("工具条1_") + QString::fromUtf8(caption));
  }
  connect(toolbar, &QToolBar::actionTriggered, this,
          [this](QAction* a) { OnDictionaryToolbarClicked(a->text()); });

  browser_ = AddPageArea(this);

  const std::string& character = frame::globals().dictionaryCharacter;
  if (character.empty()) {
    browser_->openAddress(DictionaryStartUrl());
  } else if (auto page = DictionaryPageNumber(character)) {
    browser_->openAddress(DictionaryPageUrl(*page));
  } else {
    // Nothing is fetched for a character the dictionary does not have.
    setWindowTitle(platform::Q(gbk::G("对不起,未找到此字 -- ") + character));
  }
  setWindowState(windowState() | Qt::WindowMaximized);
}

OnlineDictionaryWindow* OnlineDictionaryWindow::Open(QWidget* parent) {
  auto* window = new OnlineDictionaryWindow(parent);
  window->setAttribute(Qt::WA_DeleteOnClose);
  platform::ShowMaximized(window);
  return window;
}

void OnlineDictionaryWindow::OnDictionaryToolbarClicked(const QString& caption) {
  if (RunPageButton(this, browser_, caption, QStringLiteral("打印")))
    return;
  if (caption == QStringLiteral("按拼音查字"))
    browser_->openAddress(DictionaryStartUrl());
  else if (caption == QStringLiteral("按部首查字"))
    browser_->openAddress(DictionaryRadicalIndexUrl());
  else if (caption == QStringLiteral("汉字检索"))
    SearchCharacter();
}

void OnlineDictionaryWindow::SearchCharacter() {
  auto entered = platform::ShowInputBox(gbk::G("请输入要查找的汉字"), "", "");
  if (!entered || entered->empty()) return;
  auto page = DictionaryPageNumber(*entered);
  if (!page) {
    platform::ShowMessageBox(gbk::G("对不起,未找到此字"), "", platform::kOkInformation);
    return;
  }
  browser_->openAddress(DictionaryPageUrl(*page));
}

OnlineDictionaryWindow* OpenDictionaryOnCharacter(const std::string& character) {
  frame::globals().dictionaryCharacter = character;
  return OnlineDictionaryWindow::Open(nullptr);
}

}  // namespace online
