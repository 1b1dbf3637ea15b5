#pragma once
// The site's reference pages named by the main window's menus, and the
// index of the naming articles.
#include <string>
#include <string_view>
#include <vector>

namespace online {

// A page for the page viewer: its title and its address (GBK).
struct PageLink {
  std::string title;
  std::string url;
};

// A page argument "title.htm|file.htm": the title is the text before the
// first ".", the page is the file after the first "|" in the reference
// folder.
PageLink ResolvePageArgument(std::string_view argument);

// The perpetual calendar, titled "万年历".
PageLink PerpetualCalendarPage();

// A menu item that opens a reference page: its caption and page argument
// (UTF-8, as they stand in the menus).
struct ReferenceMenuItem {
  const char* caption;
  const char* argument;
};

// The reference page items of the menus "[&D]相关文档" and "[&M]常识知识",
// in menu order.
inline constexpr ReferenceMenuItem kReferenceMenuItems[] = {
    {"企业名称预先核准申请书", "企业名称预先核准申请书.htm|doc1.htm"},
    {"企业名称预先核准通知书", "企业名称预先核准通知书.htm|doc2.htm"},
    {"中华人民共和国公司法", "中华人民共和国公司法.htm|Gong_Si_Fa.htm"},
    {"更多下载...", "相关文档下载.htm|doc888.htm"},
    {"三十六计", "三十六计.htm|sslj.htm"},
    {"常用多音字表", "常用多音字表.htm|cydyzb.htm"},
    {"容易读错音的一些字", "容易读错音的一些字.htm|rydcydyxz.htm"},
    {"中国古代的姓氏名字号", "中国古代的姓氏名字号.htm|zggddxsmzh.htm"},
    {"中国主要亲属关系简表", "中国主要亲属关系简表.htm|zgzyqsgxjb.htm"},
    {"古代文化常识汇编", "古代文化常识汇编.htm|gdwhcshb.htm"},
    {"中国历史朝代对照简表", "中国历史朝代对照简表.htm|zglscdgydzjb.htm"},
    {"中国古代的计时法", "中国古代的计时法.htm|zggddjsf.htm"},
    {"中国各个城市市花", "中国各个城市市花.htm|zgggcssh.htm"},
    {"中国少数民族分布简表", "中国少数民族分布简表.htm|zgssmzfbjb.htm"},
    {"中外重要节日简表", "中外重要节日简表.htm|zwzyjrjb.htm"},
    {"二十四节气表", "二十四节气表.htm|essjqb.htm"},
    {"国内长途区号表", "国内长途区号表.htm|gnctqhb.htm"},
    {"国际长途区号表", "国际长途区号表.htm|gjctqhb.htm"},
    {"省自治区直辖市简表", "省自治区直辖市简表.htm|wgszzqzxsjb.htm"},
    {"绕口令选集", "绕口令选集.htm|rklxj.htm"},
};

// One line of the article index: "title|file".
struct ArticleEntry {
  std::string title;
  std::string file;  // empty when the line has no "|": nothing to open
};

// The lines of an index split at CR LF; an empty line between two line ends
// is kept, the piece after the last one is not.
std::vector<ArticleEntry> ParseArticleIndex(std::string_view text);

// The index the program carries (GBK).
std::string_view StoredArticleIndex();

}  // namespace online
