#include "engine/ui/CombinationInputWindow.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

#include "engine/combination.h"
#include "frame/globals.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "platform/ui/qt_bridge.h"

namespace engine {

CombinationInputWindow::CombinationInputWindow(QWidget* parent, StartRun startRun)
    : QDialog(parent), startRun_(std::move(startRun)) {
  setObjectName("CombinationInputWindow");
  setWindowTitle(QStringLiteral("组合模式 (将您自行输入的字进行组合产生名字)"));
  setModal(true);
  setFixedSize(565, 315);

  icon_ = new QLabel(this);
  icon_->setObjectName("图片框1");
  icon_->setGeometry(16, 12, 20, 20);
  icon_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(20, 20));

  instruction_ = new QLabel(QStringLiteral("请输入要用于取名的汉字。格式随意，软件会智能提取汉字。"), this);
  instruction_->setObjectName("透明标签1");
  instruction_->setGeometry(45, 14, 432, 16);
  instruction_->setAttribute(Qt::WA_TranslucentBackground);

  frame_ = new QFrame(this);
  frame_->setObjectName("外形框1");
  frame_->setGeometry(16, 40, 528, 192);
  frame_->setFrameShape(QFrame::Box);

  edit_ = new QPlainTextEdit(frame_);
  edit_->setObjectName("编辑框1");
  edit_->setGeometry(9, 9, 511, 175);
  edit_->setPlainText(QStringLiteral("美达威金誉嘉信康思晟华宏昌泰亿旭"));

  ok_ = new QPushButton(QStringLiteral("确定(&O)"), this);
  ok_->setObjectName("按钮1");
  ok_->setGeometry(324, 241, 96, 28);
  ok_->setAutoDefault(false);

  cancel_ = new QPushButton(QStringLiteral("取消(&E)"), this);
  cancel_->setObjectName("按钮2");
  cancel_->setGeometry(427, 241, 96, 28);
  cancel_->setAutoDefault(false);

  connect(ok_, &QPushButton::clicked, this, &CombinationInputWindow::RunCombinationMode);
  connect(cancel_, &QPushButton::clicked, this, &CombinationInputWindow::CloseCombinationWindow);

  LoadCombinationInput();
}

void CombinationInputWindow::LoadCombinationInput() {
  auto& g = frame::globals();
  g.combinationArchivePath = CombinationArchivePath();
  std::string saved = LoadCombinationArchive(g.combinationArchivePath);
  if (!saved.empty()) edit_->setPlainText(platform::Q(saved));
  edit_->setFocus();
}

void CombinationInputWindow::RunCombinationMode() {
  auto& g = frame::globals();
  // The box holds its line breaks as CR LF, which the cleaning removes.
  std::string text = gbk::ReplaceAll(platform::FromQ(edit_->toPlainText()), "\n", "\r\n");
  CombinationInput input = SplitCombinationInput(text, g.combinationLimit.Get());
  edit_->setPlainText(platform::Q(input.cleanedText));
  g.combinationCharacters = input.characters;
  g.combinationCharacterText = input.characterText;

  // Kept whether or not the run may start, so a refused list is there to
  // be shortened next time. A failure is said once, not at every OK, until
  // a save succeeds again; the run goes on all the same.
  static bool failureShown = false;
  if (SaveCombinationArchive(g.combinationArchivePath, g.combinationCharacterText)) {
    failureShown = false;
  } else if (!failureShown) {
    failureShown = true;
    platform::ShowMessageBox(gbk::G("输入的汉字无法保存，下次打开这个窗口时不会再显示它们。\r\n文件：") +
                                 gbk::FromUtf8(g.combinationArchivePath.string()) +
                                 platform::WriteFailureNote(g.combinationArchivePath),
                             gbk::G("提示"), platform::kOkInformation);
  }

  if (input.characters.size() > kMaxCombinationCharacters) {
    Prompt p = TooManyCharactersRefusal(input.characters.size());
    platform::ShowMessageBox(p.text, p.title, p.flags);
    return;
  }
  runStarted_ = startRun_ ? startRun_(g.combinationCharacters) : false;
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  accept();
}

void CombinationInputWindow::CloseCombinationWindow() { reject(); }

}  // namespace engine
