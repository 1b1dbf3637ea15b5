// The attribute rows and pages of names and the commands their links carry:
// hostile names stay text, link values come back exactly, paging edges.
#include <gtest/gtest.h>

#include <string>

#include "analysis/html_text.h"
#include "analysis/name_pages.h"
#include "engine/char_tables.h"
#include "platform/gbk.h"
#include "platform/web_address.h"

using analysis::BuildNamePage;
using analysis::BuildNameRow;
using analysis::PageCommandKind;
using analysis::ParsePageCommand;
using analysis::RowLink;
using gbk::G;

namespace {

int Count(const std::string& text, const std::string& needle) {
  int n = 0;
  for (size_t p = text.find(needle); p != std::string::npos; p = text.find(needle, p + needle.size())) ++n;
  return n;
}

struct RowCase {
  std::string name;
  std::vector<std::string> present;  // GBK pieces the row must hold
  std::vector<std::string> absent;
  int links;  // dictionary links
};

class NameRowTest : public ::testing::TestWithParam<RowCase> {
 protected:
  void SetUp() override { engine::SetKangxiOverrides(G("禾-5/川-3/")); }
  void TearDown() override { engine::SetKangxiOverrides(""); }
};

TEST_P(NameRowTest, Row) {
  const RowCase& c = GetParam();
  const std::string row = BuildNameRow(c.name, RowLink::Add);
  for (const std::string& p : c.present) EXPECT_NE(row.find(p), std::string::npos) << gbk::ToUtf8(p);
  for (const std::string& p : c.absent) EXPECT_EQ(row.find(p), std::string::npos) << gbk::ToUtf8(p);
  EXPECT_EQ(Count(row, "zidian.htm?word="), c.links);
  EXPECT_EQ(Count(row, "<td"), 6);
  // No placeholder survives, whatever the name holds.
  for (const char* p : {"替换1", "替换A", "替换5", "替换7"}) EXPECT_EQ(Count(row, G(p)), 0) << p;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NameRowTest,
    ::testing::Values(RowCase{G("禾川"),
                              {"<a href='zidian.htm?word=%BA%CC'><font color='#0099CC'>" + G("禾") +
                                   "</font></a> ",
                               "ok.htm?name=%BA%CC%B4%A8\"", G("禾(he)川(chuan)"),
                               G("禾(5)川(3) <font color=\"#C0C0C0\">总:8"), "arrow_200.gif"},
                              {},
                              2},
                      // Outside the hanzi block: no pinyin, -1 into the simplified total.
                      RowCase{G("＠"), {G("＠()"), G("＠(-1) <font color=\"#C0C0C0\">总:-1")}, {}, 1},
                      // A last odd byte is no character but stays in the name's value.
                      RowCase{G("禾") + "x", {"ok.htm?name=%BA%CCx\""}, {}, 1},
                      RowCase{"<b>&'\"#%",
                              {"ok.htm?name=%3Cb%3E%26%27%22%23%25\"", "&lt;b", "&gt;&amp;", "&#39;&quot;",
                               "zidian.htm?word=%23%25'"},
                              {"<b>", "'\"#"},
                              4},
                      // an odd byte inside shifts the later pairs, as the name's bytes say
                      RowCase{G("替换2替换1"), {"ok.htm?name=%CC%E6%BB%BB2%CC%E6%BB%BB1\""}, {}, 5}),
    [](const ::testing::TestParamInfo<RowCase>& info) { return "Row" + std::to_string(info.index); });

TEST(NameRow, RemoveRowsCarryTheRemovePicture) {
  const std::string row = BuildNameRow(G("禾川"), RowLink::Remove);
  EXPECT_NE(row.find("button_prvs.gif"), std::string::npos);
  EXPECT_EQ(row.find("arrow_200.gif"), std::string::npos);
}

struct PagingCase {
  int names, asked;
  int pageCount, shown, rows;
  std::string first;  // the first name listed
};

class NamePagingTest : public ::testing::TestWithParam<PagingCase> {};

TEST_P(NamePagingTest, Page) {
  const PagingCase& c = GetParam();
  std::string text;
  for (int i = 1; i <= c.names; ++i) text += "n" + std::to_string(i) + "\r\n";
  const analysis::NamePage page = BuildNamePage(text, c.asked);
  EXPECT_EQ(page.pageCount, c.pageCount);
  EXPECT_EQ(page.page, c.shown);
  EXPECT_EQ(Count(page.html, "ok.htm?name="), c.rows);
  EXPECT_EQ(Count(page.html, G("表格一行")), 0);
  EXPECT_NE(page.html.find(G("加入自选")), std::string::npos);
  if (!c.first.empty()) EXPECT_NE(page.html.find("ok.htm?name=" + c.first + "\""), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NamePagingTest,
    ::testing::Values(PagingCase{0, 1, 0, 1, 0, ""}, PagingCase{25, 1, 1, 1, 25, "n1"},
                      PagingCase{26, 2, 2, 2, 1, "n26"}, PagingCase{26, 1, 2, 1, 25, "n1"},
                      // fewer pages than asked after a new run; page 0
                      PagingCase{26, 7, 2, 2, 1, "n26"}, PagingCase{3, 0, 1, 1, 3, "n1"}),
    [](const ::testing::TestParamInfo<PagingCase>& info) { return "Row" + std::to_string(info.index); });

TEST(NamePages, SplitKeepsInnerEmptyLinesAndDropsTheLastEmptyPiece) {
  EXPECT_EQ(analysis::SplitNameLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(analysis::SplitNameLines("a\r\nb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(analysis::SplitNameLines("").empty());
}

struct CommandCase {
  bool local;
  std::string file, query;
  PageCommandKind kind;
  std::string value;
};

class PageCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(PageCommandTest, Parse) {
  const CommandCase& c = GetParam();
  const analysis::PageCommand command = ParsePageCommand(c.local, c.file, c.query);
  EXPECT_EQ(command.kind, c.kind);
  EXPECT_EQ(command.value, c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PageCommandTest,
    ::testing::Values(CommandCase{true, "ok.htm", "name=" + G("禾川"), PageCommandKind::Name, G("禾川")},
                      CommandCase{true, "OK.HTM", "NAME=a&b#c%", PageCommandKind::Name, "a&b#c%"},
                      CommandCase{true, "zidian.htm", "word=" + G("丫"), PageCommandKind::Dictionary,
                                  G("丫")},
                      // the value is only what follows a leading key
                      CommandCase{true, "ok.htm", "x=1&name=a", PageCommandKind::Name, ""},
                      CommandCase{true, "ok.htm", "", PageCommandKind::Name, ""},
                      // other files, even with the command in their names, and site pages
                      CommandCase{true, "book.htm", "name=a", PageCommandKind::None, ""},
                      CommandCase{true, "namelist.htm", "", PageCommandKind::None, ""},
                      CommandCase{false, "ok.htm", "name=a", PageCommandKind::None, ""}),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return "Row" + std::to_string(info.index); });

TEST(PercentEncode, KeepsOnlyUnreservedBytes) {
  EXPECT_EQ(platform::PercentEncodeBytes(G("禾") + "a-._~ +/"), "%BA%CCa-._~%20%2B%2F");
}

}  // namespace
