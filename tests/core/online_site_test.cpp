#include <gtest/gtest.h>

#include <functional>

#include "frame/globals.h"
#include "online/site.h"
#include "platform/gbk.h"
#include "support/core/http_server.h"

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

}  // namespace
