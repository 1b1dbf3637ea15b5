#include "analysis/ui/CharacterLookupWindow.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "analysis/character_lookup.h"
#include "frame/globals.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ui/DesignedTabs.h"
#include "platform/ui/qt_bridge.h"

namespace analysis {

namespace {

struct PageDesign {
  const char* caption;
  const char* labels[2];
  const char* rules[2];
  const char* input;
  const char* result;
  const char* queryButton;
  const char* closeButton;
};

const PageDesign kPages[4] = {
    {"五行属性查询",
     {"透明标签1", "透明标签2"},
     {"进度条1", "进度条2"},
     "编辑框1",
     "编辑框2",
     "按钮2",
     "按钮1"},
    {"简体笔画查询",
     {"透明标签3", "透明标签4"},
     {"进度条3", "进度条4"},
     "编辑框3",
     "编辑框4",
     "按钮3",
     "按钮4"},
    {"康熙笔画查询",
     {"透明标签7", "透明标签8"},
     {"进度条7", "进度条8"},
     "编辑框7",
     "编辑框8",
     "按钮7",
     "按钮8"},
    {"拼音查询", {"透明标签5", "透明标签6"}, {"进度条5", "进度条6"}, "编辑框5", "编辑框6", "按钮5", "按钮6"},
};

}  // namespace

CharacterLookupWindow::CharacterLookupWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("CharacterLookupWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("汉字属性查询"));
  setFixedSize(604, 387);
  tabs_ = new platform::DesignedTabs(this);
  tabs_->setObjectName(QStringLiteral("选择夹1"));
  tabs_->setGeometry(3, 3, 593, 349);
  for (int i = 0; i < 4; ++i) {
    const PageDesign& d = kPages[i];
    QWidget* page = tabs_->addPage(QString::fromUtf8(d.caption));
    tabs_->place(new QLabel(QStringLiteral("请输入要查询的字 (一次输入不能超过100个字)"), page), d.labels[0],
                 19, 31, 266, 24);
    tabs_->place(new QLabel(QStringLiteral("查询结果"), page), d.labels[1], 19, 165, 66, 24);
    for (int k = 0; k < 2; ++k) {
      auto* rule = new QProgressBar(page);
      rule->setTextVisible(false);
      rule->setValue(0);
      if (k == 0)
        tabs_->place(rule, d.rules[0], 281, 43, 292, 2);
      else
        tabs_->place(rule, d.rules[1], 75, 176, 498, 2);
    }
    auto* input = new QPlainTextEdit(page);
    tabs_->place(input, d.input, 19, 61, 554, 96);
    auto* result = new QPlainTextEdit(page);
    tabs_->place(result, d.result, 19, 195, 554, 96);
    auto* queryButton = new QPushButton(QStringLiteral("查询"), page);
    tabs_->place(queryButton, d.queryButton, 318, 304, 112, 27);
    connect(queryButton, &QPushButton::clicked, this, [this, i] { query(i); });
    auto* closeButton = new QPushButton(QStringLiteral("关闭"), page);
    tabs_->place(closeButton, d.closeButton, 445, 304, 112, 27);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
  }
  const int page = frame::globals().lookupPage;
  tabs_->setCurrentIndex(page >= 0 && page < 4 ? page : 0);
}

void CharacterLookupWindow::query(int page) {
  const PageDesign& d = kPages[page];
  auto* input = control<QPlainTextEdit>(d.input);
  const std::string text = WithCrLfBreaks(platform::FromQ(input->toPlainText()));
  if (const std::string refusal = CheckLookupInput(text); !refusal.empty()) {
    platform::ShowMessageBox(refusal, gbk::G("信息："), platform::kOkInformation);
    input->setFocus();
    return;
  }
  auto* button = control<QPushButton>(d.queryButton);
  button->setEnabled(false);
  control<QPlainTextEdit>(d.result)->setPlainText(
      platform::Q(LookupCharacters(text, static_cast<LookupKind>(page))));
  button->setEnabled(true);
}

CharacterLookupWindow* OpenCharacterLookup(QWidget* parent, int page) {
  frame::globals().lookupPage = page;
  auto* window = new CharacterLookupWindow(parent);
  // No designed place: over the middle of the window it was opened from.
  if (parent) window->move(parent->frameGeometry().center() - window->rect().center());
  window->show();
  return window;
}

}  // namespace analysis
