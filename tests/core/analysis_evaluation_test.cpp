// The evaluation window's decisions without widgets: the input checks, the
// character pages and the texts put into pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/evaluation.h"
#include "analysis/html_text.h"
#include "platform/gbk.h"

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
