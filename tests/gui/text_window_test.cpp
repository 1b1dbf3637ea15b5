// The program's own text window in place of the desktop's text editor.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>

#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ui/TextWindow.h"
#include "platform/ui/qt_bridge.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"

using gbk::G;
using platform::TextWindow;
using testing_support::ReadAll;
using testing_support::WriteAll;

namespace {

class TextWindowTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::vector<QPointer<TextWindow>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* t = qobject_cast<TextWindow*>(w)) windows.emplace_back(t);
    for (auto& t : windows) delete t.data();
  }
  std::filesystem::path File(const std::string& bytes) {
    auto file = home_.root() / "本次生成的所有公司名.txt";
    WriteAll(file, bytes);
    return file;
  }

  testing_support::TestHome home_;
  testing_support::MessageBoxRecorder boxes_;
};

TEST_F(TextWindowTest, ShowsGbkFilesAndKeepsOthersReadOnly) {
  struct Row {
    const char* what;
    std::string bytes;
    QString shown;
    bool readOnly;
  } rows[] = {
      {"GBK with CR LF", G("临江禾川软件有限公司\r\n苏州澜舟科技有限公司\r\n"),
       QStringLiteral("临江禾川软件有限公司\n苏州澜舟科技有限公司\n"), false},
      {"bare LF and CR", "a\nb\rc", QStringLiteral("a\nb\nc"), false},
      {"empty", "", QString(), false},
      {"not GBK", "\xFF\xFE" "a", QString(), true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    auto file = File(r.bytes);
    TextWindow* w = TextWindow::Open(file);
    ASSERT_NE(w, nullptr);
    if (!r.readOnly) EXPECT_EQ(w->editor()->toPlainText(), r.shown);
    EXPECT_EQ(w->readOnly(), r.readOnly);
    EXPECT_TRUE(w->windowTitle().startsWith(platform::PathToQ(file))) << w->windowTitle().toStdString();
    if (r.readOnly) EXPECT_FALSE(w->save());
    EXPECT_EQ(ReadAll(file), r.bytes);
    EXPECT_FALSE(w->editor()->document()->isModified());
    EXPECT_FALSE(w->isWindowModified());  // no "*" in the title
    w->close();
  }
  EXPECT_TRUE(boxes_.shown().empty()) << boxes_.shown()[0].text;
}

TEST_F(TextWindowTest, BlankPaddedColumnsLineUp) {
  // The exports pad with blanks, a Chinese character counting two.
  TextWindow* w = TextWindow::Open(File(G("禾川  \r\nab    \r\n")));
  ASSERT_NE(w, nullptr);
  QFontMetrics m(w->editor()->font());
  EXPECT_EQ(m.horizontalAdvance(QStringLiteral("禾川  ")), m.horizontalAdvance(QStringLiteral("ab    ")));
  w->close();
}

TEST_F(TextWindowTest, EditsAreSavedAsGbkWithCrLf) {
  auto file = File(G("临江禾川\r\n"));
  QPointer<TextWindow> w = TextWindow::Open(file);
  ASSERT_TRUE(w);
  EXPECT_EQ(TextWindow::Open(file), w.data());  // one window per file
  auto type = [&](const QString& text) {
    w->editor()->selectAll();
    w->editor()->insertPlainText(text);
  };
  type(QStringLiteral("临江禾川\n澜舟\n"));
  ASSERT_TRUE(w->save());
  EXPECT_EQ(ReadAll(file), G("临江禾川\r\n澜舟\r\n"));
  EXPECT_FALSE(w->editor()->document()->isModified());

  // A character GBK has no code for is only written when the user agrees.
  type(QStringLiteral("澜舟😀"));
  boxes_.QueueAnswer(platform::kNo);
  EXPECT_FALSE(w->save());
  EXPECT_EQ(ReadAll(file), G("临江禾川\r\n澜舟\r\n"));
  // Closing with unsaved edits asks; Yes saves (after agreeing to the "?").
  boxes_.QueueAnswer(platform::kYes);
  boxes_.QueueAnswer(platform::kYes);
  EXPECT_TRUE(w->close());
  EXPECT_EQ(ReadAll(file), G("澜舟?"));
  for (const auto& entry : std::filesystem::directory_iterator(home_.root()))
    EXPECT_EQ(entry.path().filename(), file.filename());
}

TEST_F(TextWindowTest, SaveAsOfAnUntitledTextStartsInTheDataFolder) {
  const std::filesystem::path data = home_.root() / "data";
  std::filesystem::create_directories(data);
  TextWindow::SetUntitledFolder(data);
  TextWindow* w = TextWindow::Open({});
  ASSERT_NE(w, nullptr);
  QString shown;
  QTimer::singleShot(0, [&] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      shown = dialog->directory().absolutePath();
      dialog->reject();
    }
  });
  EXPECT_FALSE(w->saveAs());
  EXPECT_EQ(shown, platform::PathToQ(data));
  TextWindow::SetUntitledFolder({});
}

TEST_F(TextWindowTest, SaveAsAddsTheTextExtensionToABareName) {
  const std::filesystem::path data = home_.root() / "data";
  std::filesystem::create_directories(data);
  TextWindow::SetUntitledFolder(data);
  TextWindow* w = TextWindow::Open({});
  ASSERT_NE(w, nullptr);
  w->editor()->setPlainText(QStringLiteral("澜舟"));
  const struct {
    const char* typed;
    const char* saved;
  } rows[] = {{"note1", "note1.txt"}, {"list.txt", "list.txt"}, {"old.log", "old.log"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    QTimer::singleShot(0, [&] {
      if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        dialog->selectFile(QString::fromUtf8(row.typed));
        QMetaObject::invokeMethod(dialog, "accept");
      }
    });
    EXPECT_TRUE(w->saveAs());
    EXPECT_EQ(ReadAll(data / row.saved), G("澜舟"));
  }
  EXPECT_FALSE(std::filesystem::exists(data / "note1"));
  TextWindow::SetUntitledFolder({});
}

TEST_F(TextWindowTest, ClosingWithUnsavedEditsAsksAndCancelKeepsTheWindow) {
  const struct {
    int answer;
    bool closes;
    const char* saved;
  } rows[] = {
      {platform::kYes, true, "改过的"}, {platform::kNo, true, "原文"}, {platform::kCancel, false, "原文"}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.answer);
    auto file = File(G("原文"));
    QPointer<TextWindow> w = TextWindow::Open(file);
    ASSERT_TRUE(w);
    w->editor()->selectAll();
    w->editor()->insertPlainText(QStringLiteral("改过的"));
    boxes_.clear();
    boxes_.QueueAnswer(r.answer);
    EXPECT_EQ(w->close(), r.closes);
    ASSERT_EQ(boxes_.shown().size(), 1u);
    EXPECT_EQ(boxes_.shown()[0].text, "是否保存对以下文件的更改?\r\n" + file.string());
    EXPECT_EQ(boxes_.shown()[0].title, "记事本");
    EXPECT_EQ(boxes_.shown()[0].flags, platform::kYesNoCancelQuestion);
    EXPECT_EQ(ReadAll(file), G(r.saved));
    if (!r.closes) {
      EXPECT_TRUE(w->isVisible());
      EXPECT_TRUE(w->editor()->document()->isModified());
    }
    delete w.data();
  }
}

TEST_F(TextWindowTest, TheTextEditorLaunchOpensItAndAFailureSaysWhereTheFileIs) {
  platform::InstallDesktopDialogs();
  testing_support::MessageBoxRecorder boxes;  // over the real boxes
  auto file = File(G("临江\r\n"));
  ASSERT_TRUE(platform::LaunchProgram(platform::ExternalProgram::TextEditor, file.string()));
  TextWindow* shown = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* t = qobject_cast<TextWindow*>(w); t && t->isVisible()) shown = t;
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->file(), file);
  EXPECT_EQ(shown->editor()->toPlainText(), QStringLiteral("临江\n"));

  auto missing = home_.root() / "导出" / "导出列表.txt";
  EXPECT_FALSE(platform::LaunchProgram(platform::ExternalProgram::TextEditor, missing.string()));
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_NE(boxes.shown()[0].text.find(missing.string()), std::string::npos);
  EXPECT_NE(boxes.shown()[0].text.find(missing.parent_path().string()), std::string::npos);

  // 记事本: an empty text.
  ASSERT_TRUE(platform::LaunchProgram(platform::ExternalProgram::TextEditor, ""));
}

}  // namespace
