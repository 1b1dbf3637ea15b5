#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "online/article_pages.h"
#include "platform/gbk.h"
#include "support/core/http_server.h"

using gbk::G;

namespace {

TEST(PageArguments, TitleBeforeTheFirstDotAndFileAfterTheBar) {
  testing_support::ScopedSiteUrl site("http://site.test/");
  struct Row {
    const char* argument;
    const char* title;
    const char* url;
  } rows[] = {
      {"三十六计.htm|sslj.htm", "三十六计", "http://site.test/P20111229/page_gs/sslj.htm"},
      {"相关文档下载.htm|doc888.htm", "相关文档下载", "http://site.test/P20111229/page_gs/doc888.htm"},
      {"无点|a", "", "http://site.test/P20111229/page_gs/a"},  // the designed title stays
  };
  for (const Row& r : rows) {
    online::PageLink page = online::ResolvePageArgument(G(r.argument));
    EXPECT_EQ(gbk::ToUtf8(page.title), r.title) << r.argument;
    EXPECT_EQ(page.url, r.url) << r.argument;
  }
}

TEST(ArticleIndex, LinesSplitAtLineEnds) {
  struct Row {
    const char* text;
    std::vector<std::pair<std::string, std::string>> entries;
  } rows[] = {
      {"a|1.htm\r\nb|2.htm\r\n", {{"a", "1.htm"}, {"b", "2.htm"}}},
      {"a|1.htm\r\n\r\nb|2.htm", {{"a", "1.htm"}, {"", ""}, {"b", "2.htm"}}},
      {"no bar\r\n", {{"no bar", ""}}},  // opens nothing
      {"", {}},
  };
  for (const Row& r : rows) {
    std::vector<std::pair<std::string, std::string>> got;
    for (const auto& e : online::ParseArticleIndex(r.text)) got.emplace_back(e.title, e.file);
    EXPECT_EQ(got, r.entries) << r.text;
  }
}

TEST(ArticleIndex, StoredIndexIsWellFormed) {
  const std::string_view text = online::StoredArticleIndex();
  ASSERT_TRUE(text.ends_with("\r\n"));
  EXPECT_TRUE(text.starts_with(G("重要取名知识(必看)|xuzhi.htm\r\n")));
  size_t lines = 0;
  for (size_t i = 0; (i = text.find("\r\n", i)) != std::string_view::npos; i += 2) ++lines;
  auto entries = online::ParseArticleIndex(text);
  EXPECT_EQ(entries.size(), lines);
  std::set<std::string> files;
  const std::regex safe("[A-Za-z0-9_-]+\\.htm");
  for (const auto& e : entries) {
    EXPECT_FALSE(e.title.empty());
    EXPECT_TRUE(std::regex_match(e.file, safe)) << e.file;
    EXPECT_TRUE(files.insert(e.file).second) << e.file;
  }
}

}  // namespace
