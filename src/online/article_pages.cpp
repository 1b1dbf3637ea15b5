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
