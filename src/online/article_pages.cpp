#include "online/article_pages.h"

#include "frame/text_helpers.h"
#include "online/site.h"
#include "platform/embedded.h"
#include "platform/gbk.h"

namespace online {

PageLink ResolvePageArgument(std::string_view argument) {
  return {frame::TextBefore(argument, "."), ReferencePageUrl(frame::TextAfter(argument, "|"))};
}

PageLink PerpetualCalendarPage() { return {gbk::G("万年历"), PerpetualCalendarUrl()}; }

const std::vector<ReferenceMenuItem>& ReferenceMenuItems() {
  static const std::vector<ReferenceMenuItem> kItems = {
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
  return kItems;
}

std::vector<ArticleEntry> ParseArticleIndex(std::string_view text) {
  std::vector<ArticleEntry> entries;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    ArticleEntry entry;
    if (gbk::Find(line, "|") != -1) {
      entry.title = frame::TextBefore(line, "|");
      entry.file = frame::TextAfter(line, "|");
    } else {
      entry.title = std::string(line);
    }
    entries.push_back(std::move(entry));
    if (end == std::string_view::npos) break;
    start = end + 2;
  }
  return entries;
}

std::string_view StoredArticleIndex() { return platform::EmbeddedFile("knowledge/index.txt"); }

}  // namespace online
