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
const std::vector<ReferenceMenuItem>& ReferenceMenuItems();

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
