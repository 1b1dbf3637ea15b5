// The attribute pages and the favourites windows with a real web engine,
// offscreen: links carry hostile names exactly, also from a page folder
// whose name looks like a page; paging; clear, export and the titles.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <memory>

#include "analysis/favourites.h"
#include "analysis/ui/FavouritesPage.h"
#include "analysis/ui/FavouritesWindow.h"
#include "analysis/ui/NameAttributesWindow.h"
#include "frame/globals.h"
#include "platform/gbk.h"
#include "platform/ui/BrowserBox.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"
#include "support/gui/wait_until.h"

using analysis::FavouritesWindow;
using analysis::NameAttributesWindow;
using gbk::G;
using platform::BrowserBox;
using testing_support::ReadAll;
using testing_support::WaitUntil;
using testing_support::WriteAll;

namespace {

const std::string kHostile = G("禾&川#%"), kMarkup = "<b>x</b>";

class NameAttributesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.PrepareGlobals();
    // A page folder named like a page must not pass for a command.
    frame::globals().appDataDirectory = home_.root() / "book.htm.d" / "";
    frame::globals().generatedNames.Set(G("禾川") + "\r\n" + kHostile + "\r\n" + kMarkup + "\r\n");
  }
  void TearDown() override { frame::globals().generatedNames.Set(""); }

  std::filesystem::path ListFile() const {
    return frame::globals().appDataDirectory / "软件有限公司_临江__Name.txt";
  }
  std::unique_ptr<NameAttributesWindow> OpenAttributes() {
    auto w = std::make_unique<NameAttributesWindow>(G("临江"), G("软件有限公司"));
    w->show();
    return w;
  }
  static bool Loaded(BrowserBox* box) {
    QSignalSpy spy(box, &BrowserBox::loadFinished);
    return spy.wait(20000) && spy.takeFirst().at(0).toBool();
  }
  static void Run(BrowserBox* box, const QString& script) {
    box->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld);
  }
  static void ClickLink(BrowserBox* box, const char* prefix, int k) {
    Run(box, QStringLiteral("document.querySelectorAll(\"a[href^='%1']\")[%2].click();").arg(prefix).arg(k));
  }
  static int Count(BrowserBox* box, const QString& selector) {
    int result = -1;
    box->page()->runJavaScript(QStringLiteral("document.querySelectorAll(\"%1\").length").arg(selector),
                               QWebEngineScript::ApplicationWorld,
                               [&result](const QVariant& v) { result = v.toInt(); });
    WaitUntil([&] { return result >= 0; });
    return result;
  }

  testing_support::TestHome home_;
  testing_support::MessageBoxRecorder boxes_;
  testing_support::LaunchRecorder launches_;
};

TEST_F(NameAttributesTest, AddRemoveAndDictionaryLinksCarryTheNamesExactly) {
  auto w = OpenAttributes();
  auto* names = w->control<BrowserBox>("超文本浏览框1");
  ASSERT_TRUE(Loaded(names));
  EXPECT_EQ(Count(names, "b"), 0);
  EXPECT_EQ(Count(names, "a[href^='ok.htm']"), 3);

  auto* notice = w->control<QLabel>("透明标签5");
  ClickLink(names, "ok.htm", 1);
  ASSERT_TRUE(WaitUntil([&] { return ReadAll(ListFile()) == kHostile + "\r\n"; }));
  EXPECT_EQ(notice->text(), QStringLiteral("提示：禾&川#% 成功加入到自选列表"));
  EXPECT_TRUE(w->control<QWidget>("外形框1")->isVisible());
  ClickLink(names, "ok.htm", 2);
  ASSERT_TRUE(WaitUntil([&] { return ReadAll(ListFile()) == kHostile + "\r\n" + kMarkup + "\r\n"; }));
  ClickLink(names, "ok.htm", 1);
  ASSERT_TRUE(WaitUntil([&] { return notice->text().endsWith(QStringLiteral("已存在于自选列表中！")); }));
  EXPECT_EQ(ReadAll(ListFile()), kHostile + "\r\n" + kMarkup + "\r\n");
  EXPECT_TRUE(WaitUntil([&] { return !w->control<QWidget>("外形框1")->isVisible(); }, 3000));

  // The second tab: its title counts the list, and follows a removal.
  auto* list = w->control<BrowserBox>("超文本浏览框2");
  w->control<QTabWidget>("选择夹1")->setCurrentIndex(1);
  ASSERT_TRUE(Loaded(list));
  EXPECT_EQ(w->windowTitle(), QStringLiteral("自选列表 (个数 2)"));
  ClickLink(list, "ok.htm", 0);
  ASSERT_TRUE(WaitUntil([&] { return ReadAll(ListFile()) == kMarkup + "\r\n"; }));
  EXPECT_TRUE(WaitUntil([&] { return w->windowTitle() == QStringLiteral("自选列表 (个数 1)"); }));
  w->control<QTabWidget>("选择夹1")->setCurrentIndex(0);
  EXPECT_EQ(w->windowTitle(), QStringLiteral("查看各名称属性 (当前页 1 / 总页数 1) "));

  // A character link opens the dictionary on it, in a window of its own.
  ClickLink(names, "zidian.htm", 1);
  QWidget* dictionary = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->objectName() == QStringLiteral("OnlineDictionaryWindow")) dictionary = top;
    return dictionary != nullptr;
  }));
  EXPECT_EQ(dictionary->parent(), nullptr);
  EXPECT_EQ(frame::globals().dictionaryCharacter, G("川"));
  delete dictionary;
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(NameAttributesTest, APageThatCannotBeWrittenIsShownWithWorkingLinks) {
  std::filesystem::create_directories(frame::globals().appDataDirectory / "namelist.htm" / "in-the-way");
  auto w = OpenAttributes();
  auto* names = w->control<BrowserBox>("超文本浏览框1");
  ASSERT_TRUE(Loaded(names));
  EXPECT_EQ(Count(names, "a[href^='ok.htm']"), 3);
  ClickLink(names, "ok.htm", 0);
  EXPECT_TRUE(WaitUntil([&] { return ReadAll(ListFile()) == G("禾川") + "\r\n"; }));
}

TEST_F(NameAttributesTest, PagingFollowsThePageCount) {
  struct Row {
    int names;
    int items;
    bool previous, next;
  };
  for (const Row& row : {Row{0, 0, false, false}, Row{25, 1, false, false}, Row{26, 2, false, true}}) {
    std::string text;
    for (int i = 0; i < row.names; ++i) text += "n" + std::to_string(i) + "\r\n";
    frame::globals().generatedNames.Set(text);
    auto w = OpenAttributes();
    ASSERT_TRUE(WaitUntil([&] { return !w->isRendering(); }));
    EXPECT_EQ(w->control<QComboBox>("组合框1")->count(), row.items) << row.names;
    EXPECT_EQ(w->control<QPushButton>("按钮3")->isEnabled(), row.previous) << row.names;
    EXPECT_EQ(w->control<QPushButton>("按钮4")->isEnabled(), row.next) << row.names;
    EXPECT_EQ(w->windowTitle(), QStringLiteral("查看各名称属性 (当前页 1 / 总页数 %1) ").arg(row.items));
  }
  // The second of two pages: the 26th name alone, the buttons the other way.
  auto w = OpenAttributes();
  ASSERT_TRUE(WaitUntil([&] { return !w->isRendering(); }));
  w->control<QPushButton>("按钮4")->click();
  ASSERT_TRUE(WaitUntil([&] { return !w->isRendering() && w->pageNumber() == 2; }));
  EXPECT_TRUE(w->control<QPushButton>("按钮3")->isEnabled());
  EXPECT_FALSE(w->control<QPushButton>("按钮4")->isEnabled());
  EXPECT_EQ(w->control<QComboBox>("组合框1")->currentText(), QStringLiteral("2"));
  const std::string page = ReadAll(frame::globals().appDataDirectory / "namelist.htm");
  EXPECT_NE(page.find("ok.htm?name=n25\""), std::string::npos);
  EXPECT_EQ(page.find("ok.htm?name=n24\""), std::string::npos);
}

TEST_F(NameAttributesTest, APageChosenInTheListHandsTheFocusToThePagingButtons) {
  std::string text;
  for (int i = 0; i < 60; ++i) text += "n" + std::to_string(i) + "\r\n";
  frame::globals().generatedNames.Set(text);
  auto w = OpenAttributes();
  ASSERT_TRUE(WaitUntil([&] { return !w->isRendering(); }));
  auto* list = w->control<QComboBox>("组合框1");
  struct Row {
    int item;
    const char* focused;
  } rows[] = {{1, "按钮4"}, {2, "按钮3"}};  // the last page has no 下一页
  for (const Row& r : rows) {
    list->setFocus();
    list->setCurrentIndex(r.item);
    emit list->activated(r.item);
    ASSERT_TRUE(WaitUntil([&] { return !w->isRendering() && w->pageNumber() == r.item + 1; }));
    EXPECT_EQ(w->focusWidget(), w->control<QPushButton>(r.focused)) << r.item;
  }
}

TEST_F(NameAttributesTest, FourCharacterNamesStayOnOneLine) {
  std::string text;
  for (int i = 0; i < 5; ++i) text += G("庄双窗爽") + "\r\n";
  frame::globals().generatedNames.Set(text);
  auto w = OpenAttributes();
  auto* names = w->control<BrowserBox>("超文本浏览框1");
  // Characters wider than the designed name cell, as a larger or wider font
  // draws them; the table has room to give.
  names->page()->settings()->setFontSize(QWebEngineSettings::DefaultFontSize, 24);
  ASSERT_TRUE(Loaded(names));
  // Rows whose name links do not all stand on one line.
  int wrapped = -1;
  names->page()->runJavaScript(
      QStringLiteral("Array.from(document.querySelectorAll('tr')).filter(r => {"
                     "  const a = r.cells[0].querySelectorAll('a');"
                     "  return a.length > 1 && a[0].offsetTop != a[a.length - 1].offsetTop; }).length"),
      QWebEngineScript::ApplicationWorld, [&wrapped](const QVariant& v) { wrapped = v.toInt(); });
  ASSERT_TRUE(WaitUntil([&] { return wrapped >= 0; }));
  EXPECT_EQ(Count(names, "a[href^='ok.htm']"), 5);
  EXPECT_EQ(wrapped, 0);
}

TEST_F(NameAttributesTest, FavouritesWindowClearsAndExportsOnlyWhatItSays) {
  auto w = std::make_unique<FavouritesWindow>(G("临江"), G("软件有限公司"));
  w->show();
  EXPECT_EQ(
      w->windowTitle(),
      QStringLiteral("自选列表 (点主界面上 生成 -> 查看各名称属性,可以选择看中的公司名称加入自选列表)"));

  const std::string list = G("禾川禾川") + "\r\n" + G("川") + "\r\n";
  WriteAll(ListFile(), list);
  w->favourites()->Render();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("自选列表 (个数 2)"));

  const auto exported = frame::globals().appDataDirectory / "导出列表.txt";
  boxes_.QueueAnswer(platform::kNo);
  w->control<QPushButton>("按钮2")->click();
  EXPECT_EQ(ReadAll(exported), list);
  boxes_.QueueAnswer(platform::kYes);
  w->control<QPushButton>("按钮2")->click();
  EXPECT_EQ(ReadAll(exported).find(G("禾川禾川  ") + G("禾(he)")), 0u);
  ASSERT_EQ(launches_.launches().size(), 2u);
  EXPECT_EQ(launches_.launches()[1].program, platform::ExternalProgram::TextEditor);
  EXPECT_EQ(launches_.launches()[1].argument, exported.string());

  // An export that cannot be written says so and opens nothing.
  std::filesystem::remove(exported);
  std::filesystem::create_directory(exported);
  boxes_.clear();
  boxes_.QueueAnswer(platform::kNo);
  w->control<QPushButton>("按钮2")->click();
  ASSERT_EQ(boxes_.shown().size(), 2u);
  EXPECT_EQ(boxes_.shown()[1].title, "提示");
  EXPECT_EQ(launches_.launches().size(), 2u);

  boxes_.clear();
  boxes_.QueueAnswer(platform::kNo);
  w->control<QPushButton>("按钮5")->click();
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].text, "是否清空自选列表？");
  EXPECT_EQ(boxes_.shown()[0].flags, platform::kYesNoInformation);
  EXPECT_EQ(ReadAll(ListFile()), list);
  boxes_.QueueAnswer(platform::kYes);
  w->control<QPushButton>("按钮5")->click();
  EXPECT_TRUE(std::filesystem::exists(ListFile()));
  EXPECT_EQ(ReadAll(ListFile()), "");
  EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("自选列表 (点主界面上")));
}

TEST_F(NameAttributesTest, AnEmptyLineOfTheListCanBeRemovedFromThePage) {
  auto w = std::make_unique<FavouritesWindow>(G("临江"), G("软件有限公司"));
  w->show();
  auto* list = w->control<BrowserBox>("超文本浏览框2");
  ASSERT_TRUE(Loaded(list));
  WriteAll(ListFile(), G("禾川") + "\r\n\r\n" + G("川") + "\r\n");
  w->favourites()->Render();
  ASSERT_TRUE(Loaded(list));
  EXPECT_EQ(w->windowTitle(), QStringLiteral("自选列表 (个数 3)"));
  ClickLink(list, "ok.htm", 1);
  EXPECT_TRUE(WaitUntil([&] { return ReadAll(ListFile()) == G("禾川") + "\r\n" + G("川") + "\r\n"; }));
  EXPECT_TRUE(boxes_.shown().empty());
}

TEST_F(NameAttributesTest, AListThatCannotBeReadIsReportedAndKept) {
  std::filesystem::create_directories(ListFile() / "inside");
  auto w = std::make_unique<FavouritesWindow>(G("临江"), G("软件有限公司"));
  ASSERT_EQ(boxes_.shown().size(), 1u);
  EXPECT_EQ(boxes_.shown()[0].title, "提示");
  boxes_.QueueAnswer(platform::kYes);
  w->control<QPushButton>("按钮5")->click();
  EXPECT_TRUE(std::filesystem::exists(ListFile() / "inside"));
}

}  // namespace
