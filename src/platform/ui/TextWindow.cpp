#include "platform/ui/TextWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "platform/ui/qt_bridge.h"

namespace platform {

namespace {

std::string PathText(const std::filesystem::path& file) { return gbk::FromUtf8(file.string()); }

std::filesystem::path& UntitledFolder() {
  static std::filesystem::path folder;
  return folder;
}

// CR LF, a lone CR and a lone LF all end a line.
QString ToLineFeeds(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

TextWindow::TextWindow() {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QStringLiteral("TextWindow"));
  resize(720, 520);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QMenuBar(this);
  QMenu* menu = bar->addMenu(QStringLiteral("文件(&F)"));
  saveAction_ = menu->addAction(QStringLiteral("保存(&S)"), QKeySequence::Save, this, [this] { save(); });
  saveAction_->setObjectName(QStringLiteral("保存"));
  menu->addAction(QStringLiteral("另存为(&A)..."), QKeySequence::SaveAs, this, [this] { saveAs(); })
      ->setObjectName(QStringLiteral("另存为"));
  menu->addSeparator();
  menu->addAction(QStringLiteral("关闭(&C)"), QKeySequence::Close, this, &QWidget::close);
  layout->setMenuBar(bar);
  editor_ = new QPlainTextEdit(this);
  editor_->setObjectName(QStringLiteral("正文"));
  editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The exported lists pad their columns with blanks, counting a Chinese
  // character as two: they line up only in a font where it is exactly two
  // Latin cells wide, at a pixel size that keeps both advances whole.
  QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  const QString cjkMono = QStringLiteral("Noto Sans Mono CJK SC");
  if (QFontDatabase::hasFamily(cjkMono)) fixed.setFamily(cjkMono);
  fixed.setPixelSize(16);
  editor_->setFont(fixed);
  layout->addWidget(editor_);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("状态"));
  status_->setContentsMargins(6, 2, 6, 2);
  status_->hide();
  layout->addWidget(status_);
  connect(editor_->document(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
}

TextWindow* TextWindow::Open(const std::filesystem::path& file) {
  std::filesystem::path full = file;
  if (!file.empty()) {
    std::error_code ec;
    full = std::filesystem::absolute(file, ec).lexically_normal();
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* shown = qobject_cast<TextWindow*>(w);
      if (shown && shown->isVisible() && shown->file() == full &&
          !shown->editor()->document()->isModified()) {
        shown->load(full);  // the file may have been written again since
        shown->showNormal();
        shown->raise();
        shown->activateWindow();
        return shown;
      }
    }
  }
  auto* window = new TextWindow;
  if (!full.empty() && !window->load(full)) {
    delete window;
    ShowMessageBox(gbk::G("无法打开文件:\r\n") + PathText(full) + gbk::G("\r\n\r\n文件所在的文件夹:\r\n") +
                       PathText(full.parent_path()),
                   gbk::G("提示"), kOkInformation);
    return nullptr;
  }
  window->updateTitle();
  // Like an editor started from the program: over the window it came from,
  // not wherever the window manager finds room (often the screen's corner).
  if (QWidget* from = QApplication::activeWindow()) {
    QPoint at = from->frameGeometry().center() - window->rect().center();
    if (const QScreen* screen = from->screen()) {
      const QRect room = screen->availableGeometry();
      at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - window->width())));
      at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - window->height())));
    }
    window->move(at);
  }
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

bool TextWindow::load(const std::filesystem::path& file) {
  bool ok = false;
  const std::string bytes = ReadFileBytes(file, &ok);
  if (!ok) return false;
  const std::string utf8 = gbk::ToUtf8(bytes);
  // Only a text that comes back to the same bytes can be saved without harm.
  const bool gbkText = gbk::FromUtf8(utf8) == bytes;
  file_ = file;
  editor_->setPlainText(ToLineFeeds(QString::fromStdString(utf8)));
  editor_->setReadOnly(!gbkText);
  saveAction_->setEnabled(gbkText);
  status_->setText(QStringLiteral("此文件不是 GBK 编码的文本,只能查看,不能在这里保存。"));
  status_->setVisible(!gbkText);
  editor_->document()->setModified(false);
  // After an empty file the editor leaves the window marked as changed
  // although the document is not: the title's "*" follows the document.
  setWindowModified(false);
  updateTitle();
  return true;
}

bool TextWindow::readOnly() const { return editor_->isReadOnly(); }

void TextWindow::updateTitle() {
  const QString name = file_.empty() ? QStringLiteral("无标题") : PathToQ(file_);
  setWindowTitle(name + QStringLiteral("[*] - 记事本"));
}

bool TextWindow::save() {
  if (readOnly()) return false;
  if (file_.empty()) return saveAs();
  return writeTo(file_);
}

void TextWindow::SetUntitledFolder(const std::filesystem::path& folder) { UntitledFolder() = folder; }

bool TextWindow::saveAs() {
  const QString start = PathToQ(file_.empty() ? UntitledFolder() : file_);
  QFileDialog dialog(this, QStringLiteral("另存为"), start, QStringLiteral("文本文件 (*.txt);;所有文件 (*)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // A name typed without an extension is saved as a text file, and the
  // dialog's question about replacing a file sees that full name.
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const QString chosen = dialog.selectedFiles().constFirst();
  const std::filesystem::path file(chosen.toStdString());
  if (!writeTo(file)) return false;
  file_ = file;
  editor_->setReadOnly(false);
  saveAction_->setEnabled(true);
  status_->hide();
  updateTitle();
  return true;
}

bool TextWindow::writeTo(const std::filesystem::path& file) {
  QString text = editor_->toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  const std::string utf8 = text.toStdString();
  const std::string bytes = gbk::FromUtf8(utf8);
  if (gbk::ToUtf8(bytes) != utf8 &&
      ShowMessageBox(gbk::G("文本中有 GBK 编码无法表示的字符,保存后它们将变成“?”。\r\n是否仍然保存?"),
                     gbk::G("保存"), kYesNoQuestion) != kYes)
    return false;
  if (!WriteFileAtomically(file, bytes)) {
    ShowMessageBox(gbk::G("无法保存文件:\r\n") + PathText(file) + gbk::G("\r\n原来的文件没有改动。") +
                       WriteFailureNote(file),
                   gbk::G("提示"), kOkInformation);
    return false;
  }
  editor_->document()->setModified(false);
  return true;
}

bool TextWindow::settleUnsavedEdits() {
  if (!editor_->document()->isModified() || readOnly()) return true;
  const std::string name = file_.empty() ? gbk::G("无标题") : PathText(file_);
  switch (ShowMessageBox(gbk::G("是否保存对以下文件的更改?\r\n") + name, gbk::G("记事本"),
                         kYesNoCancelQuestion)) {
    case kYes:
      return save();
    case kNo:
      return true;
    default:
      return false;
  }
}

bool TextWindow::SettleAllUnsavedEdits() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<TextWindow*>(w);
    if (!window || !window->isVisible()) continue;
    if (window->editor()->document()->isModified()) {
      // The question is about this window: show it.
      window->showNormal();
      window->raise();
    }
    if (!window->settleUnsavedEdits()) return false;
  }
  return true;
}

void TextWindow::CloseAllSettled() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* window = qobject_cast<TextWindow*>(w)) {
      window->settled_ = true;
      window->close();
    }
  }
}

void TextWindow::closeEvent(QCloseEvent* event) {
  if (!settled_ && !settleUnsavedEdits()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace platform
