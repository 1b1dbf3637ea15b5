// The name evaluation window: opening from the grid or the tool bar, the
// start button's checks, the worker's result, the character pages with
// their dictionary pages, the two layouts and the hint pictures.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "analysis/score_page.h"
#include "analysis/ui/NameEvaluationWindow.h"
#include "frame/globals.h"
#include "frame/text_helpers.h"
#include "platform/gbk.h"
#include "platform/ui/BrowserBox.h"
#include "platform/ui/qt_bridge.h"
#include "support/core/test_home.h"
#include "support/gui/recorders.h"
#include "support/gui/wait_until.h"

using analysis::NameEvaluationWindow;
using gbk::G;

namespace {

class EvaluationWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_.PrepareGlobals();
    ::setenv(frame::kSiteUrlVariable, "http://127.0.0.1:9/", 1);
    auto& g = frame::globals();
    g.onlineCharacterList.Set(G("禾川"));
    g.onlineScoreWord.Set(G("分数"));
    g.evaluationPrefix.clear();
    g.evaluationSuffix.clear();
    g.selectedName.clear();
  }
  void TearDown() override {
    window_.reset();
    ::unsetenv(frame::kSiteUrlVariable);
  }

  NameEvaluationWindow* Open() {
    window_ = std::make_unique<NameEvaluationWindow>();
    window_->show();
    return window_.get();
  }
  QLineEdit* Box(int i) const {
    static const char* names[] = {"编辑框1", "编辑框2", "编辑框3"};
    return window_->control<QLineEdit>(names[i]);
  }
  QTabWidget* Tabs() const { return window_->control<QTabWidget>("高级选择夹1"); }
  platform::BrowserBox* Dictionary() const {
    return window_->control<platform::BrowserBox>("超文本浏览框被复制");
  }
  QStringList TabTitles() const {
    QStringList titles;
    for (int i = 1; i < Tabs()->count(); ++i) titles << Tabs()->tabText(i);
    return titles;
  }
  bool WaitForResult() {
    if (!window_->isEvaluating()) return true;
    QSignalSpy done(window_.get(), &NameEvaluationWindow::evaluationFinished);
    return done.wait(10000);
  }
  void Type(const char* prefix, const char* main, const char* suffix) {
    Box(0)->setText(QString::fromUtf8(prefix));
    Box(1)->setText(QString::fromUtf8(main));
    Box(2)->setText(QString::fromUtf8(suffix));
  }

  testing_support::TestHome home_;
  testing_support::MessageBoxRecorder boxes_;
  std::unique_ptr<NameEvaluationWindow> window_;
};

TEST_F(EvaluationWindowTest, FromTheToolBarNothingStartsAndTheMainBoxHasTheFocus) {
  Open();
  EXPECT_EQ(window_->objectName(), "NameEvaluationWindow");
  EXPECT_FALSE(window_->isEvaluating());
  EXPECT_EQ(window_->windowTitle(), "公司名称测算");
  EXPECT_TRUE(window_->windowState() & Qt::WindowMaximized);
  EXPECT_EQ(window_->focusWidget(), Box(1));
  EXPECT_EQ(Tabs()->count(), 1);
  EXPECT_EQ(Tabs()->tabText(0), "公司名称测算");
  EXPECT_FALSE(Dictionary()->isVisible());
  EXPECT_FALSE(std::filesystem::exists(analysis::ScorePagePath()));
}

TEST_F(EvaluationWindowTest, FromTheGridTheNameIsScoredAtOnceWithoutTheChecks) {
  auto& g = frame::globals();
  g.evaluationPrefix = G("临江");
  g.selectedName = G("禾川");
  g.evaluationSuffix = "";        // would fail the suffix check
  g.onlineCharacterList.Set("");  // would fail the data check
  Open();
  EXPECT_EQ(Box(0)->text(), "临江");
  EXPECT_EQ(Box(1)->text(), "禾川");
  ASSERT_TRUE(WaitForResult());
  EXPECT_TRUE(boxes_.shown().empty());
  EXPECT_EQ(window_->windowTitle(), "公司名称测算");
  EXPECT_TRUE(window_->control<QPushButton>("按钮1")->isEnabled());
  EXPECT_EQ(TabTitles(), (QStringList{"临", "江", "禾", "川"}));
  std::string page = testing_support::ReadAll(analysis::ScorePagePath());
  EXPECT_GT(gbk::Find(page, G("整体名称：")), 0);
  auto* score = window_->control<platform::BrowserBox>("超文本浏览框1");
  EXPECT_TRUE(testing_support::WaitUntil([&] { return score->url().toLocalFile().endsWith("/temp.htm"); }));
}

struct RefusalRow {
  const char *prefix, *main, *suffix;
  bool general;
  bool listEmpty;
  const char *text, *title, *focus;
};

TEST_F(EvaluationWindowTest, StartButtonRefusesInOrderAndFocusesTheBox) {
  const RefusalRow rows[] = {
      {"", "", "", false, false, "请输入公司前缀", "提示", "编辑框1"},
      {"临江", "", "", false, false, "请输入公司主体名称", "提示", "编辑框2"},
      {"临江", "禾川", "", false, false, "请输入公司后缀", "提示", "编辑框3"},
      {"临江", "", "公司", true, false, "请输入公司主体名称、商标、产品名等内容", "提示", "编辑框2"},
      {"临江", "禾川", "公司", false, true,
       "初始化网络数据失败,请检查您的网络是否通畅,或稍后重打开软件再试一下!", "提示 ErrorCode=1", nullptr},
  };
  Open();
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    boxes_.clear();
    frame::globals().onlineCharacterList.Set(r.listEmpty ? "" : G("禾"));
    if (r.general)
      window_->control<QRadioButton>("单选框2")->click();
    else
      window_->control<QRadioButton>("单选框1")->click();
    Type(r.prefix, r.main, r.suffix);
    window_->control<QPushButton>("按钮1")->click();
    ASSERT_EQ(boxes_.shown().size(), 1u);
    EXPECT_EQ(boxes_.shown()[0].text, r.text);
    EXPECT_EQ(boxes_.shown()[0].title, r.title);
    EXPECT_EQ(boxes_.shown()[0].flags, 64);
    EXPECT_FALSE(window_->isEvaluating());
    if (r.focus) EXPECT_EQ(window_->focusWidget()->objectName(), QString::fromUtf8(r.focus));
  }
  EXPECT_FALSE(std::filesystem::exists(analysis::ScorePagePath()));
}

TEST_F(EvaluationWindowTest, EvaluationShowsItsTitleThenBuildsOnePagePerCharacter) {
  Open();
  Type("临江", "禾川", "软件有限公司");
  window_->control<QPushButton>("按钮1")->click();
  EXPECT_EQ(window_->windowTitle(), "正在测算 临江禾川软件有限公司 ,请稍等...");
  EXPECT_FALSE(window_->control<QPushButton>("按钮1")->isEnabled());
  ASSERT_TRUE(WaitForResult());
  EXPECT_EQ(TabTitles(), (QStringList{"临", "江", "禾", "川", "软", "件", "有", "限", "公", "司"}));

  // A new evaluation replaces the pages; repeats get a page each.
  Type("临江", "禾禾", "公司");
  window_->control<QPushButton>("按钮1")->click();
  ASSERT_TRUE(WaitForResult());
  EXPECT_EQ(TabTitles(), (QStringList{"临", "江", "禾", "禾", "公", "司"}));
}

TEST_F(EvaluationWindowTest, EachWindowKeepsItsOwnScorePageAcrossReloads) {
  struct Scored {
    std::unique_ptr<NameEvaluationWindow> window;
    const char* name;
  } windows[] = {{nullptr, "禾川"}, {nullptr, "澜舟"}};
  auto score = [](NameEvaluationWindow* w) { return w->control<platform::BrowserBox>("超文本浏览框1"); };
  auto shows = [&](NameEvaluationWindow* w, const char* name) {
    return testing_support::WaitUntil([&] {
      QString text;
      bool done = false;
      score(w)->page()->toPlainText([&](const QString& t) { text = t, done = true; });
      testing_support::WaitUntil([&] { return done; }, 5000);
      return text.contains(QString::fromUtf8(name));
    }, 20000);
  };
  for (Scored& s : windows) {
    frame::globals().selectedName = G(s.name);
    frame::globals().evaluationPrefix = G("临江");
    frame::globals().evaluationSuffix = G("软件有限公司");
    s.window = std::make_unique<NameEvaluationWindow>();
    s.window->show();
    ASSERT_TRUE(shows(s.window.get(), s.name)) << s.name;
  }
  // "temp.htm" holds the last name scored, as it always has.
  EXPECT_GT(gbk::Find(testing_support::ReadAll(analysis::ScorePagePath()), G("澜舟")), 0);
  for (Scored& s : windows) {
    QSignalSpy loaded(score(s.window.get()), &platform::BrowserBox::loadFinished);
    score(s.window.get())->reload();
    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_TRUE(shows(s.window.get(), s.name)) << s.name;
  }
}

TEST_F(EvaluationWindowTest, APageFileThatCannotBeWrittenNeverShowsAnOldScore) {
  std::filesystem::create_directories(analysis::ScorePagePath() / "in-the-way");
  Open();
  auto* score = window_->control<platform::BrowserBox>("超文本浏览框1");
  QSignalSpy loaded(score, &platform::BrowserBox::loadFinished);
  Type("临江", "禾川", "软件有限公司");
  window_->control<QPushButton>("按钮1")->click();
  ASSERT_TRUE(WaitForResult());
  ASSERT_TRUE(loaded.wait(20000));
  EXPECT_FALSE(score->url().isLocalFile());
  EXPECT_EQ(score->title(), "公司评分");
  EXPECT_EQ(TabTitles().size(), 10);
}

TEST_F(EvaluationWindowTest, StrippedCharactersLeaveTheBoxesAndAnEmptyPage) {
  Open();
  Type("临江 ", "abc", "Soft公司.");
  window_->control<QPushButton>("按钮1")->click();
  ASSERT_TRUE(WaitForResult());
  EXPECT_EQ(Box(0)->text(), "临江");
  EXPECT_EQ(Box(1)->text(), "");
  EXPECT_EQ(Box(2)->text(), "公司");
  EXPECT_EQ(testing_support::ReadAll(analysis::ScorePagePath()), "");
  EXPECT_EQ(TabTitles(), (QStringList{"临", "江", "公", "司"}));
}

TEST_F(EvaluationWindowTest, GeneralLayoutCountsOnlyTheMainBox) {
  Open();
  Type("临江", "禾川", "公司");
  const int left = Box(0)->x();
  window_->control<QRadioButton>("单选框2")->click();
  EXPECT_TRUE(Box(0)->isHidden());
  EXPECT_TRUE(Box(2)->isHidden());
  EXPECT_EQ(Box(1)->x(), left);
  EXPECT_EQ(Box(1)->width(), 350);
  window_->control<QPushButton>("按钮1")->click();
  ASSERT_TRUE(WaitForResult());
  EXPECT_EQ(TabTitles(), (QStringList{"禾", "川"}));
  EXPECT_EQ(Box(0)->text(), "临江");  // hidden boxes keep their text
  EXPECT_EQ(gbk::Find(testing_support::ReadAll(analysis::ScorePagePath()), G("整体名称：")), -1);

  window_->control<QRadioButton>("单选框1")->click();
  EXPECT_FALSE(Box(0)->isHidden());
  EXPECT_EQ(Box(1)->width(), 88);
  EXPECT_EQ(Box(1)->x() - left, 100);  // 256 against the prefix box's 156
}

TEST_F(EvaluationWindowTest, CharacterPagesShowTheirDictionaryPage) {
  Open();
  window_->control<QRadioButton>("单选框2")->click();
  Type("", "丫＠", "");
  window_->control<QPushButton>("按钮1")->click();
  ASSERT_TRUE(WaitForResult());
  ASSERT_EQ(TabTitles(), (QStringList{"丫", "＠"}));

  Tabs()->setCurrentIndex(1);
  EXPECT_EQ(window_->windowTitle(), "『丫』的字典解释");
  EXPECT_TRUE(Dictionary()->isVisible());
  EXPECT_EQ(Dictionary()->url().toString(), "http://127.0.0.1:9/P20111229/html3/1615.html");

  Tabs()->setCurrentIndex(2);
  EXPECT_EQ(Dictionary()->url().toString(), "http://127.0.0.1:9/P20111229/html2/");

  Tabs()->setCurrentIndex(0);
  EXPECT_EQ(window_->windowTitle(), "公司名称测算");
  EXPECT_FALSE(Dictionary()->isVisible());
}

TEST_F(EvaluationWindowTest, HintPictureFollowsTheFocusedBoxInTheCompanyLayoutOnly) {
  Open();
  QApplication::setActiveWindow(window_.get());
  auto* hint = window_->control<QLabel>("图片框1");
  ASSERT_NE(hint, nullptr);
  for (int i : {0, 2, 1}) {
    Box(i)->setFocus();
    ASSERT_TRUE(testing_support::WaitUntil([&] { return hint->isVisible(); }));
    EXPECT_EQ(hint->x(), Box(i)->x());
    EXPECT_EQ(hint->size(), QSize(210, 100));
    EXPECT_EQ(hint->pixmap().toImage(), NameEvaluationWindow::HintPicture(i).toImage());
  }
  QTest::mouseClick(hint, Qt::LeftButton);
  EXPECT_FALSE(hint->isVisible());

  window_->control<QRadioButton>("单选框2")->click();
  window_->control<QPushButton>("按钮1")->setFocus();
  Box(1)->setFocus();
  QTest::qWait(50);
  EXPECT_FALSE(hint->isVisible());
  // Three different pictures.
  EXPECT_NE(NameEvaluationWindow::HintPicture(0).toImage(), NameEvaluationWindow::HintPicture(1).toImage());
  EXPECT_NE(NameEvaluationWindow::HintPicture(1).toImage(), NameEvaluationWindow::HintPicture(2).toImage());
}

TEST_F(EvaluationWindowTest, ClosingWhileScoringStopsTheWorkerCleanly) {
  frame::globals().selectedName = G("禾川");
  frame::globals().evaluationPrefix = G("临江");
  frame::globals().evaluationSuffix = G("公司");
  for (int i = 0; i < 5; ++i) {
    Open();
    window_->close();
    window_.reset();
    EXPECT_FALSE(platform::IsRunning(frame::globals().scoringThread));
  }
  QTest::qWait(50);  // nothing posted to a window that is gone
}

TEST_F(EvaluationWindowTest, DesignedControlsCarryTheirNames) {
  Open();
  for (const char* name : {"高级选择夹1", "单选框1", "单选框2", "透明标签1", "编辑框1", "编辑框2", "编辑框3",
                           "按钮1", "图片框1", "超文本浏览框1", "超文本浏览框被复制"})
    EXPECT_NE(window_->findChild<QWidget*>(QString::fromUtf8(name)), nullptr) << name;
  EXPECT_TRUE(window_->control<QRadioButton>("单选框1")->isChecked());
  EXPECT_EQ(window_->control<QPushButton>("按钮1")->text(), "立刻测算 >>");
}

}  // namespace
