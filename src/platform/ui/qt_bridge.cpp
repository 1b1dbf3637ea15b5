#include "platform/ui/qt_bridge.h"

#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>

#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ui/TextWindow.h"
#include "platform/web_address.h"

namespace platform {

QString Q(std::string_view gbk) { return QString::fromStdString(gbk::ToUtf8(gbk)); }

std::string FromQ(const QString& text) { return gbk::FromUtf8(text.toStdString()); }

QString PathToQ(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

namespace {

int ShowRealMessageBox(std::string_view text, std::string_view title, int flags) {
  QWidget* parent = QApplication::activeWindow();
  QString caption = title.empty() ? QStringLiteral("信息：") : Q(title);
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  // Texts may carry what a site sent: never read them as markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(Q(text));
  const int buttons = flags & 0x0F;
  const bool yesNoCancel = buttons == 3;
  const bool yesNo = buttons == 4 || yesNoCancel;
  int icon = flags & 0xF0;
  box.setIcon(icon == 32   ? QMessageBox::Question
              : icon == 64 ? QMessageBox::Information
                           : QMessageBox::NoIcon);
  // The program speaks Chinese whatever the desktop's language.
  if (yesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No |
                           (yesNoCancel ? QMessageBox::Cancel : QMessageBox::NoButton));
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是(&Y)"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否(&N)"));
    if (yesNoCancel) {
      box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
      // Closing the box is 取消, not 否: nothing is given up unasked.
      box.setEscapeButton(QMessageBox::Cancel);
    }
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
  }
  int r = box.exec();
  if (yesNo) return r == QMessageBox::Yes ? kYes : r == QMessageBox::No ? kNo : kCancel;
  return kOk;
}

bool StartFirstFound(const QStringList& candidates, const QString& argument) {
  for (const QString& c : candidates) {
    QString exe = QStandardPaths::findExecutable(c);
    if (exe.isEmpty()) continue;
    QStringList args;
    if (!argument.isEmpty()) args << argument;
    if (QProcess::startDetached(exe, args)) return true;
  }
  return false;
}

bool LaunchReal(ExternalProgram program, const std::string& argument) {
  QString arg = QString::fromStdString(argument);
  switch (program) {
    case ExternalProgram::TextEditor:
      // The program's texts are GBK: desktop editors would show them garbled.
      return TextWindow::Open(std::filesystem::path(argument)) != nullptr;
    case ExternalProgram::Calculator:
      return StartFirstFound({"gnome-calculator", "kcalc", "galculator", "mate-calc", "xcalc"}, {});
    case ExternalProgram::WebBrowser: {
      // Only web addresses reach the desktop: never a local file or another
      // program's scheme. GBK bytes travel percent-encoded.
      if (!platform::IsHttpAddress(argument)) return false;
      QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(platform::EncodeAddressForRequest(argument)),
                                   QUrl::StrictMode);
      return url.isValid() && QDesktopServices::openUrl(url);
    }
    case ExternalProgram::Updater:
      return QProcess::startDetached(
          QCoreApplication::applicationDirPath() + QStringLiteral("/") + QString::fromUtf8(kUpdaterFileName),
          {arg});
  }
  return false;
}

std::optional<std::string> ShowRealInputBox(std::string_view title, std::string_view prompt,
                                            std::string_view initial) {
  QInputDialog box(QApplication::activeWindow(), Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  box.setInputMode(QInputDialog::TextInput);
  box.setWindowTitle(Q(title));
  box.setLabelText(Q(prompt));
  box.setTextValue(Q(initial));
  box.setOkButtonText(QStringLiteral("确定"));
  box.setCancelButtonText(QStringLiteral("取消"));
  // Wide enough for its whole title: the window manager cuts a long title
  // to the width of the box.
  if (auto* edit = box.findChild<QLineEdit*>()) edit->setMinimumWidth(320);
  if (box.exec() != QDialog::Accepted) return std::nullopt;
  return FromQ(box.textValue());
}

}  // namespace

void UseChineseTexts() {
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const char* file : {"qtbase_zh_CN", "qtwebengine_zh_CN"}) {
    auto* texts = new QTranslator(QCoreApplication::instance());
    if (texts->load(QString::fromLatin1(file), folder))
      QCoreApplication::installTranslator(texts);
    else
      delete texts;
  }
}

void InstallDesktopDialogs() {
  SetMessageBoxHandler(ShowRealMessageBox);
  SetLauncherHandler(LaunchReal);
  SetInputBoxHandler(ShowRealInputBox);
}

}  // namespace platform
