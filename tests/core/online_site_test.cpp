#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>

#include "frame/globals.h"
#include "frame/text_helpers.h"
#include "online/dictionary_index.h"
#include "online/site.h"
#include "platform/gbk.h"
#include "support/core/http_server.h"
#include "support/core/test_home.h"

using gbk::G;
using testing_support::ScopedSiteUrl;

namespace {

struct AddressCase {
  const char* name;
  std::function<std::string()> build;
  std::string expected;  // after the base address
};

class SiteAddress : public ::testing::TestWithParam<AddressCase> {
 protected:
  void SetUp() override {
    saved_ = frame::globals().sitePathSegment;
    frame::globals().sitePathSegment = "P20111229";
  }
  void TearDown() override { frame::globals().sitePathSegment = saved_; }
  ScopedSiteUrl site_{"http://site.test/"};
  std::string saved_;
};

TEST_P(SiteAddress, IsBuiltOnTheBaseAndTheEditionSegment) {
  EXPECT_EQ(GetParam().build(), "http://site.test/" + GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SiteAddress,
    ::testing::Values(AddressCase{"InformationFile", online::InformationFileUrl, "ver/cname.txt"},
                      AddressCase{"ReferencePage", [] { return online::ReferencePageUrl("sslj.htm"); },
                                  "P20111229/page_gs/sslj.htm"},
                      AddressCase{"Calendar", online::PerpetualCalendarUrl, "P20111229/wnl2/index.html"},
                      AddressCase{"AuspiciousDays", online::AuspiciousDaysUrl, "P20111229/j2011.htm"},
                      AddressCase{"Knowledge",
                                  [] { return online::KnowledgeArticleUrl("page_Gs", "xuzhi.htm"); },
                                  "P20111229/page_Gs/xuzhi.htm"},
                      AddressCase{"DictionaryStart", online::DictionaryStartUrl, "P20111229/html2/"},
                      AddressCase{"DictionaryIndex", online::DictionaryRadicalIndexUrl, "P20111229/html/"},
                      AddressCase{"DictionaryPage", [] { return online::DictionaryPageUrl("1234"); },
                                  "P20111229/html3/1234.html"},
                      // The name goes in as percent-encoded GBK bytes.
                      AddressCase{"DuplicateQuery", [] { return online::DuplicateNameQueryUrl(G("霁岚")); },
                                  "P20111229/companyname_gs/list.asp?key=%F6%AB%E1%B0"},
                      AddressCase{"Documents", online::DocumentListUrl, "P20111229/doc/list.asp"},
                      AddressCase{"HomePage", online::HomePageUrl, ""},
                      AddressCase{"Trademarks", online::TrademarkQueryUrl, "shangbiaochaxun/"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SitePathSegmentTest, DefaultsUntilTheMainWindowSetsIt) {
  std::string saved = frame::globals().sitePathSegment;
  frame::globals().sitePathSegment.clear();
  EXPECT_EQ(online::SitePathSegment(), "P20111229");
  frame::globals().sitePathSegment = "X1";
  EXPECT_EQ(online::SitePathSegment(), "X1");
  frame::globals().sitePathSegment = saved;
}

TEST(SiteBase, AddressWithoutTrailingSlashStillJoinsCleanly) {
  ScopedSiteUrl site("http://127.0.0.1:8080");
  EXPECT_EQ(online::InformationFileUrl(), "http://127.0.0.1:8080/ver/cname.txt");
}

TEST(DictionaryIndex, GivesEveryHanziAPageOfItsOwn) {
  // The site counts its pages down one a character in code-point order:
  // 丫 and 丬 keep the pages they have always had, 丶 has the lowest.
  const std::pair<const char*, const char*> pages[] = {{"一", "1658"}, {"丁", "1657"}, {"丫", "1615"},
                                                       {"丬", "1614"}, {"中", "1613"}, {"丶", "1604"}};
  for (auto [character, page] : pages)
    EXPECT_EQ(online::DictionaryPageNumber(G(character)).value_or(""), page) << character;
  // Every character a name can hold opens a page, no two the same one, all
  // within the site's range.
  std::set<long> seen;
  for (int lead = 0xB0; lead <= 0xF7; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      if (lead == 0xD7 && trail > 0xF9) continue;  // the five empty places
      const std::string c{static_cast<char>(lead), static_cast<char>(trail)};
      const std::optional<std::string> page = online::DictionaryPageNumber(c);
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
  EXPECT_EQ(online::DictionaryPageNumber(G("丫")).value_or(""), "1615");
  EXPECT_EQ(online::DictionaryPageNumber(G("丬")).value_or(""), "1614");
  EXPECT_EQ(online::DictionaryAddressFor(G("丫")), "http://127.0.0.1:9/P20111229/html3/1615.html");
  // "\x81|" is a character of its own (page 22448): a lone "\x81" is not.
  EXPECT_EQ(online::DictionaryPageNumber("\x81|").value_or(""), "22448");
  for (std::string missing :
       {std::string(), G("＠"), std::string("1"), std::string("|"), G("丫丫"), std::string("\x81")}) {
    EXPECT_FALSE(online::DictionaryPageNumber(missing).has_value()) << gbk::ToUtf8(missing);
    EXPECT_EQ(online::DictionaryAddressFor(missing), "http://127.0.0.1:9/P20111229/html2/");
  }
  EXPECT_EQ(online::DictionaryRadicalIndexUrl(), "http://127.0.0.1:9/P20111229/html/");
  ::unsetenv(frame::kSiteUrlVariable);
}

}  // namespace
