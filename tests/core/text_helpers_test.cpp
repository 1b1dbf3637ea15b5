#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "analysis/name_pages.h"
#include "engine/filter.h"
#include "frame/regions.h"
#include "frame/text_helpers.h"
#include "online/article_pages.h"
#include "platform/gbk.h"
#include "platform/threads.h"

using frame::TextAfter;
using frame::TextBefore;
using gbk::G;

namespace {

struct CutCase {
  std::string text, separator, before, after;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << '"' << c.text << "\" at \"" << c.separator << '"'; }

class TextCutTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(TextCutTest, BeforeAndAfter) {
  const CutCase& c = GetParam();
  EXPECT_EQ(TextBefore(c.text, c.separator), c.before);
  EXPECT_EQ(TextAfter(c.text, c.separator), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextCutTest,
    ::testing::Values(CutCase{"abc|def", "|", "abc", "def"},
                      CutCase{"ABC|", "c|", "AB", ""},                 // case ignored, separator at the end
                      CutCase{"abcdef", "|", "", "bcdef"},             // absent: first bytes dropped
                      CutCase{"abcdef", "xyz", "", "def"},             // absent, three-byte separator
                      CutCase{"|abc", "|", "", "abc"},                 // separator at the start
                      CutCase{"", "|", "", ""},                        // empty text
                      CutCase{"abc", "", "", "abc"},                   // empty separator found at 1
                      CutCase{"ab", "abcd", "", ""}),                  // separator longer than text
    [](const ::testing::TestParamInfo<CutCase>& info) { return "Row" + std::to_string(info.index); });

TEST(TextCut, SeparatorEqualToATrailByteIsNotFoundInsideACharacter) {
  // 81 7C is a GBK character whose trail byte is "|".
  std::string wide = "\x81\x7C";
  std::string text = wide + "x|y";
  EXPECT_EQ(TextBefore(text, "|"), wide + "x");
  EXPECT_EQ(TextAfter(text, "|"), "y");
}

TEST(TextCut, CaseFoldingNeverTouchesATrailByte) {
  // 丄 is 81 41: its trail byte is "A". A search for "a" ignoring case must
  // not find it inside the character.
  std::string text = "\x81\x41" "bca";
  EXPECT_EQ(gbk::Find(text, "a", true), 5);
  EXPECT_EQ(TextBefore(text, "A"), "\x81\x41" "bc");
  // And a needle ending in a trail byte matches only that exact byte.
  EXPECT_EQ(gbk::Find("\x81\x61", "\x81\x41", true), -1);
}

TEST(TextCut, FindStepsOverTwoByteCharacters) {
  // 啊 B0 A1, then a second-byte pattern starting mid-character.
  std::string text = G("啊啊");
  EXPECT_EQ(gbk::Find(text, "\xA1\xB0"), -1);
  EXPECT_EQ(gbk::Find(text, G("啊"), false, 2), 3);
  EXPECT_EQ(gbk::FindLast(text, G("啊")), 3);
}

TEST(TextCut, ReplaceAllStepsOverTwoByteCharacters) {
  struct Case {
    std::string text, from, to, expected;
  };
  const Case cases[] = {
      {"a\nb\n", "\n", "\r\n", "a\r\nb\r\n"},
      {"\x81\x41" "A", "A", "x", "\x81\x41x"},  // a trail byte is no match
      {"aaa", "aa", "b", "ba"},                   // left to right, not overlapping
      {"\x81\x81\x81", "\x81", "x", "x\x81x"}, // after a match, the next boundary
      {G("苏州苏州"), G("苏州"), "", ""},
      {"abc", "", "x", "abc"},
  };
  for (const Case& c : cases) EXPECT_EQ(gbk::ReplaceAll(c.text, c.from, c.to), c.expected) << c.text;
}

TEST(Gbk, RoundTripAndHalfWidth) {
  std::string u8 = "澜舟雅集 v23.0";
  EXPECT_EQ(gbk::ToUtf8(G(u8)), u8);
  EXPECT_EQ(G(u8).size(), 14u);
  EXPECT_EQ(gbk::ToHalfWidth(G("ＡＢ１２　ｃ")), "AB12 c");
  EXPECT_EQ(gbk::ParseDecimal(G("１２")), 12);
  EXPECT_EQ(gbk::ParseDecimal("3.9"), 3);
  EXPECT_EQ(gbk::ParseDecimal("-2"), -2);
  EXPECT_EQ(gbk::ParseDecimal("x1"), 0);
  EXPECT_EQ(gbk::ParseDecimal(G("　－１２３４５６７８９０１２") + "/"), -2147483647);
  EXPECT_EQ(gbk::SplitPairs(G("苏州") + "x").size(), 2u);
  EXPECT_EQ(G("€禾川€"), "?" + G("禾川") + "?");  // no lone byte above 0x7F
}

TEST(CrLfLists, EveryReaderSplitsThemAlike) {
  // An empty piece after the last CR LF is no entry; an empty line inside
  // the text is an empty entry; a last line without CR LF still counts.
  const struct {
    std::string text;
    std::vector<std::string> entries;
  } rows[] = {
      {"", {}},
      {"\r\n", {""}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"a\r\n\r\n", {"a", ""}},
      {"\r\n\r\na", {"", "", "a"}},
      {"a\rb\nc\r\n", {"a\rb\nc"}},  // a lone CR or LF ends nothing
      {G("禾川") + "\r\n" + G("临江"), {G("禾川"), G("临江")}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::PrintToString(r.text));
    const std::vector<std::string_view> lines = gbk::SplitLines(r.text);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.end()), r.entries);
    EXPECT_EQ(analysis::SplitNameLines(r.text), r.entries);

    std::string listed;
    for (const std::string& e : r.entries) listed += e + "\r\n";
    EXPECT_EQ(engine::FilterNames(r.text, engine::FilterConditions{}, {}), listed);

    std::vector<std::string> titles;
    for (const online::ArticleEntry& e : online::ParseArticleIndex(r.text)) titles.push_back(e.title);
    EXPECT_EQ(titles, r.entries);

    // Region scripts: each line's text in an insert line, every line end
    // kept; empty lines name nothing.
    std::string script;
    for (size_t start = 0;;) {
      const size_t end = r.text.find("\r\n", start);
      const std::string line = r.text.substr(start, end == std::string::npos ? end : end - start);
      if (!line.empty()) script += "insert into r_province values(1,'" + line + "');";
      if (end == std::string::npos) break;
      script += "\r\n";
      start = end + 2;
    }
    std::vector<std::string> names;
    for (const std::string& e : r.entries)
      if (!e.empty()) names.push_back(e);
    EXPECT_EQ(frame::ProvinceNamesFromScript(script), names);
  }
}

TEST(SiteAddress, IsAWebAddressEndingInSlash) {
  struct Row {
    const char* value;
    const char* base;
    bool set;
  } rows[] = {
      {"http://127.0.0.1:1234", "http://127.0.0.1:1234/", true},
      {"http://127.0.0.1:1234/x/", "http://127.0.0.1:1234/x/", true},
      {"127.0.0.1:1234", "http://127.0.0.1:1234/", true},
      {" https://example.org/x \n", "https://example.org/x/", true},
      {" \t\n", "http://www.lanzhou-yaji.invalid/", false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.value);
    ::setenv(frame::kSiteUrlVariable, r.value, 1);
    EXPECT_EQ(frame::SiteBaseUrl(), r.base);
    EXPECT_EQ(frame::SiteAddressSet(), r.set);
  }
  ::unsetenv(frame::kSiteUrlVariable);
  EXPECT_FALSE(frame::SiteAddressSet());
  EXPECT_EQ(frame::SiteBaseUrl().back(), '/');
}

TEST(WorkerThreads, HandleIsKeptOnlyWhenAskedAndStopIsCooperative) {
  std::atomic<bool> sawStop{false};
  auto waitForStop = [&sawStop](std::stop_token token, int) {
    while (!token.stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    sawStop = true;
  };

  std::atomic<int> argument{0};
  platform::ThreadHandle kept;
  ASSERT_TRUE(platform::StartThread(
      [&argument, &waitForStop](std::stop_token token, int arg) {
        argument = arg;
        waitForStop(token, arg);
      },
      7, &kept, true));
  ASSERT_NE(kept, nullptr);
  EXPECT_TRUE(platform::StopWorkerThread(kept));
  EXPECT_TRUE(sawStop) << "the worker finished its own way before the stop returned";
  EXPECT_EQ(argument, 7);
  EXPECT_FALSE(platform::IsRunning(kept));
  // Stopping again, or stopping nothing, has no effect.
  EXPECT_TRUE(platform::StopWorkerThread(kept));
  EXPECT_TRUE(platform::StopWorkerThread(nullptr));

  // A handle variable passed without asking for the handle is emptied, even
  // though the thread starts.
  ASSERT_TRUE(platform::StartThread([](std::stop_token, int) {}, 0, &kept, false));
  EXPECT_EQ(kept, nullptr);
}

}  // namespace
