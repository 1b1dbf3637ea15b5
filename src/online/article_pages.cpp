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
  for (std::string_view line : gbk::SplitLines(text)) {
    ArticleEntry entry;
    if (gbk::Find(line, "|") != -1) {
      entry.title = frame::TextBefore(line, "|");
      entry.file = frame::TextAfter(line, "|");
    } else {
      entry.title = std::string(line);
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string_view StoredArticleIndex() { return platform::EmbeddedFile("knowledge/index.txt"); }

}  // namespace online
