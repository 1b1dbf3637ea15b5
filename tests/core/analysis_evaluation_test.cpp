// The evaluation window's decisions without widgets: the input checks, the
// character pages, the dictionary index and the texts put into pages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "analysis/dictionary_index.h"
#include "analysis/evaluation.h"
#include "analysis/html_text.h"
#include "frame/globals.h"
#include "frame/text_helpers.h"
#include "online/site.h"
#include "platform/gbk.h"
#include "support/core/test_home.h"

using analysis::NameBoxes;
using analysis::NameBoxId;
using gbk::G;

namespace {

struct CheckRow {
  const char* what;
  NameBoxes boxes;
  bool company;
  bool listEmpty;
  const char* message;  // UTF-8; nullptr: the evaluation starts
  NameBoxId focus;
};

TEST(EvaluationInput, ChecksRunInTheirOrder) {
  const CheckRow rows[] = {
      {"all empty", {"", "", ""}, true, false, "请输入公司前缀", NameBoxId::Prefix},
      {"no main", {G("临江"), "", ""}, true, false, "请输入公司主体名称", NameBoxId::Main},
      {"no suffix", {G("临江"), G("禾川"), ""}, true, true, "请输入公司后缀", NameBoxId::Suffix},
      {"blanks are content", {" ", " ", " "}, true, false, nullptr, NameBoxId::None},
      {"general ignores the others", {"", G("禾川"), ""}, false, false, nullptr, NameBoxId::None},
      {"general, no main",
       {G("临江"), "", G("公司")},
       false,
       false,
       "请输入公司主体名称、商标、产品名等内容",
       NameBoxId::Main},
      {"no online data",
       {G("临江"), G("禾川"), G("公司")},
       true,
       true,
       "初始化网络数据失败,请检查您的网络是否通畅,或稍后重打开软件再试一下!",
       NameBoxId::None},
      {"stripped-only main passes", {G("临江"), "abc", G("公司")}, true, false, nullptr, NameBoxId::None},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    auto refusal = analysis::CheckEvaluationInput(r.boxes, r.company, r.listEmpty);
    if (!r.message) {
      EXPECT_FALSE(refusal.has_value());
      continue;
    }
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(gbk::ToUtf8(refusal->text), r.message);
    EXPECT_EQ(refusal->focus, r.focus);
    EXPECT_EQ(gbk::ToUtf8(refusal->title),
              r.listEmpty && r.focus == NameBoxId::None ? "提示 ErrorCode=1" : "提示");
  }
}

std::vector<std::string> Utf8(const std::vector<std::string>& gbkTexts) {
  std::vector<std::string> out;
  for (const auto& t : gbkTexts) out.push_back(gbk::ToUtf8(t));
  return out;
}

TEST(CharacterTabs, OnePagePerTwoByteCharacterOfTheCountedBoxes) {
  NameBoxes company{G("临江"), G("禾川"), G("软件有限公司")};
  EXPECT_EQ(Utf8(analysis::CharacterTabTitles(company, true)),
            (std::vector<std::string>{"临", "江", "禾", "川", "软", "件", "有", "限", "公", "司"}));
  // The general layout takes the main box only, whatever the hidden boxes hold.
  EXPECT_EQ(Utf8(analysis::CharacterTabTitles(company, false)), (std::vector<std::string>{"禾", "川"}));
  // Repeats get a page each; stripped characters none.
  EXPECT_EQ(Utf8(analysis::CharacterTabTitles({"", G("川 川a川"), ""}, false)),
            (std::vector<std::string>{"川", "川", "川"}));
  // A main name of stripped characters leaves the prefix and suffix pages.
  EXPECT_EQ(Utf8(analysis::CharacterTabTitles({G("临"), "abc", G("司")}, true)),
            (std::vector<std::string>{"临", "司"}));
  // A one-byte character that survives the stripping does not shift the
  // characters after it.
  EXPECT_EQ(Utf8(analysis::CharacterTabTitles({"", G("@禾&川"), ""}, false)),
            (std::vector<std::string>{"禾", "川"}));
}

TEST(EvaluationTitles, BusyTitleNamesWhatTheUserTyped) {
  NameBoxes boxes{G("临江"), G("禾川1"), G("公司")};
  EXPECT_EQ(gbk::ToUtf8(analysis::EvaluationBusyTitle(boxes, true)), "正在测算 临江禾川1公司 ,请稍等...");
  EXPECT_EQ(gbk::ToUtf8(analysis::EvaluationBusyTitle(boxes, false)), "正在测算 禾川1 ,请稍等...");
  EXPECT_EQ(gbk::ToUtf8(analysis::DictionaryTabWindowTitle(G("禾"))), "『禾』的字典解释");
  EXPECT_EQ(gbk::ToUtf8(analysis::EvaluationWindowTitle()), "公司名称测算");
}

TEST(DictionaryIndex, GivesEveryHanziAPageOfItsOwn) {
  // The site counts its pages down one a character in code-point order:
  // 丫 and 丬 keep the pages they have always had, 丶 has the lowest.
  const std::pair<const char*, const char*> pages[] = {
      {"一", "1658"}, {"丁", "1657"}, {"丫", "1615"}, {"丬", "1614"}, {"中", "1613"}, {"丶", "1604"}};
  for (auto [character, page] : pages)
    EXPECT_EQ(analysis::DictionaryPageNumber(G(character)).value_or(""), page) << character;
  // Every character a name can hold opens a page, no two the same one, all
  // within the site's range.
  std::set<long> seen;
  for (int lead = 0xB0; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      if (lead == 0xD7 && trail > 0xF9) continue;  // the five empty places
      const std::string c{static_cast<char>(lead), static_cast<char>(trail)};
      const std::optional<std::string> page = analysis::DictionaryPageNumber(c);
      ASSERT_TRUE(page.has_value()) << gbk::ToUtf8(c);
      const long number = std::strtol(page->c_str(), nullptr, 10);
      EXPECT_EQ(std::to_string(number), *page) << gbk::ToUtf8(c);
      EXPECT_TRUE(number >= 1604 && number <= 25725) << gbk::ToUtf8(c) << " " << number;
      EXPECT_TRUE(seen.insert(number).second) << gbk::ToUtf8(c) << " " << number;
    }
  }
}

TEST(DictionaryIndex, LooksUpPagesAndFallsBackToTheStartPage) {
  testing_support::TestHome home;
  home.PrepareGlobals();
  ::setenv(frame::kSiteUrlVariable, "http://127.0.0.1:9/", 1);
  EXPECT_EQ(analysis::DictionaryPageNumber(G("丫")).value_or(""), "1615");
  EXPECT_EQ(analysis::DictionaryPageNumber(G("丬")).value_or(""), "1614");
  EXPECT_EQ(analysis::DictionaryAddressFor(G("丫")), "http://127.0.0.1:9/P20111229/html3/1615.html");
  // "\x81|" is a character of its own (page 22448): a lone "\x81" is not.
  EXPECT_EQ(analysis::DictionaryPageNumber("\x81|").value_or(""), "22448");
  for (std::string missing :
       {std::string(), G("＠"), std::string("1"), std::string("|"), G("丫丫"), std::string("\x81")}) {
    EXPECT_FALSE(analysis::DictionaryPageNumber(missing).has_value()) << gbk::ToUtf8(missing);
    EXPECT_EQ(analysis::DictionaryAddressFor(missing), "http://127.0.0.1:9/P20111229/html2/");
  }
  EXPECT_EQ(online::DictionaryRadicalIndexUrl(), "http://127.0.0.1:9/P20111229/html/");
  ::unsetenv(frame::kSiteUrlVariable);
}

TEST(PageText, EscapingKeepsTwoByteCharactersWhole) {
  EXPECT_EQ(analysis::HtmlEscape(G("禾<&>\"'川")), G("禾&lt;&amp;&gt;&quot;&#39;川"));
  // A trail byte equal to "<" cannot occur in GBK, but "\" and "|" can; they stay.
  EXPECT_EQ(analysis::HtmlEscape("\x95\x5C\x81\x7C"), "\x95\x5C\x81\x7C");
}

TEST(PageText, ALeadByteNeverHidesMarkup) {
  // A browser reads a lead byte with a byte that cannot end a character as
  // two characters, so the special byte after it must be escaped all the same.
  const std::pair<char, std::string> specials[] = {
      {'<', "&lt;"}, {'>', "&gt;"}, {'&', "&amp;"}, {'"', "&quot;"}, {'\'', "&#39;"}};
  for (int lead = 0x80; lead <= 0xFF; ++lead) {
    for (const auto& [special, entity] : specials) {
      std::string in{char(lead), special};
      EXPECT_EQ(analysis::HtmlEscape(in), "&#65533;" + entity) << lead << " " << special;
    }
    EXPECT_EQ(analysis::HtmlEscape(std::string(1, char(lead))), "&#65533;") << lead;
  }
}

}  // namespace
