#pragma once
// Putting user texts into the pages the program generates: a name is text,
// never markup.
#include <string>
#include <string_view>

namespace analysis {

// Escapes & < > " ' where they stand as one-byte characters; two-byte GBK
// characters pass unchanged (their trail bytes are never touched).
std::string HtmlEscape(std::string_view gbk);

// Every byte but A-Z a-z 0-9 - . _ ~ as %XX: a value that travels in a link
// address (GBK bytes, "&", "#", "%", quotes) comes back exactly.
std::string PercentEncodeBytes(std::string_view bytes);

}  // namespace analysis
