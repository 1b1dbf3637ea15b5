#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>

#include "online/duplicate_query.h"
#include "platform/gbk.h"
#include "support/core/http_server.h"

using gbk::G;
using Kind = online::DuplicateQueryOutcome::Kind;
using testing_support::ScopedSiteUrl;
using testing_support::TestHttpServer;

namespace {

TEST(DuplicateQuery, CleaningKeepsTwoByteCharactersAndBlanks) {
  struct Row {
    std::string in, out;
  };
  const Row rows[] = {
      {G("ABC禾川123"), G("禾川")},
      {"abcXYZ", ""},
      {G("禾 川"), G("禾 川")},
      {G("禾'川=?!.()[]{};:,<>|\\/-+"), G("禾川")},
      {G("禾＆川，"), G("禾＆川，")},  // full-width signs are sent as typed
      {std::string("\x81\x61\x81\x31"), std::string("\x81\x61\x81\x31")},  // trail bytes are not letters
      {G("禾&川#%"), G("禾&川#%")},
  };
  for (const Row& r : rows) EXPECT_EQ(online::CleanQueryName(r.in), r.out) << gbk::ToUtf8(r.in);
}

TEST(DuplicateQuery, AnswerLinesBreakAtLowerCaseBrOnly) {
  EXPECT_EQ(online::AnswerText(G("甲公司<br>乙公司")), G("甲公司\r\n乙公司"));
  EXPECT_EQ(online::AnswerText(G("甲<BR>乙<Br>")), G("甲<BR>乙<Br>"));
  EXPECT_EQ(online::AnswerText(std::string("a<br>\0b<br>", 11)), "a\r\n");
}

struct QueryRow {
  const char* what;
  std::string name;
  std::optional<testing_support::TestHttpResponse> response;  // nothing: the site is down
  std::string expectedTarget;
  Kind kind;
  std::string text;  // empty: not checked
};

TEST(DuplicateQuery, KeyIsEncodedWholeAndOnlyAnEmpty2xxMeansNoDuplicates) {
  const std::string path = "/P20111229/companyname_gs/list.asp";
  const QueryRow rows[] = {
      {"ampersand", G("禾&x=1"), testing_support::TestHttpResponse{.body = ""}, path + "?key=%BA%CC%26x%3D1",
       Kind::NoDuplicates, G("未查到重名")},
      {"hash", G("禾#川"), testing_support::TestHttpResponse{.body = ""}, path + "?key=%BA%CC%23%B4%A8",
       Kind::NoDuplicates, ""},
      {"percent", "%41", testing_support::TestHttpResponse{.body = ""}, path + "?key=%2541",
       Kind::NoDuplicates, ""},
      {"two lines", G("禾川"),
       testing_support::TestHttpResponse{.body = G("禾川科技有限公司<br>禾川商贸有限公司")},
       path + "?key=%BA%CC%B4%A8", Kind::Answer, G("禾川科技有限公司\r\n禾川商贸有限公司")},
      {"not found page", G("禾川"), testing_support::TestHttpResponse{.status = 404, .body = "<h1>404</h1>"},
       path + "?key=%BA%CC%B4%A8", Kind::Failed, ""},
      {"empty error", G("禾川"), testing_support::TestHttpResponse{.status = 500, .body = ""},
       path + "?key=%BA%CC%B4%A8", Kind::Failed, ""},
      {"site down", G("禾川"), std::nullopt, "", Kind::Failed, ""},
  };
  for (const QueryRow& r : rows) {
    TestHttpServer server;
    std::string base = server.BaseUrl();
    if (r.response)
      server.Serve(path, *r.response);
    else
      base = "http://127.0.0.1:" + std::to_string(TestHttpServer::ClosedPort()) + "/";
    ScopedSiteUrl site(base);
    online::DuplicateQueryOutcome got = online::RunDuplicateQuery(r.name);
    EXPECT_EQ(got.kind, r.kind) << r.what;
    if (!r.text.empty()) EXPECT_EQ(got.text, r.text) << r.what;
    if (r.kind == Kind::Failed) EXPECT_EQ(gbk::Find(got.text, G("查询失败")), 1) << r.what;
    auto requests = server.Requests();
    if (r.expectedTarget.empty()) {
      EXPECT_TRUE(requests.empty()) << r.what;
    } else {
      ASSERT_EQ(requests.size(), 1u) << r.what;
      EXPECT_EQ(requests[0].target, r.expectedTarget) << r.what;
    }
  }
}

TEST(DuplicateQuery, WithoutASiteAddressNothingIsSentAndTheAnswerSaysWhy) {
  ScopedSiteUrl unset("");
  online::DuplicateQueryOutcome got = online::RunDuplicateQuery(G("禾川"));
  EXPECT_EQ(got.kind, Kind::Failed);
  EXPECT_EQ(gbk::Find(got.text, G("查询失败")), 1);
  // Said to a shop owner: no setting or variable names.
  EXPECT_EQ(std::count_if(got.text.begin(), got.text.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); }), 0)
      << gbk::ToUtf8(got.text);
}

}  // namespace
