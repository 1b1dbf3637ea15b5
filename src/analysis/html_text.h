#pragma once
// Putting user texts into the pages the program generates: a name is text,
// never markup.
#include <string>
#include <string_view>

namespace analysis {

// Escapes & < > " ' where they stand as one-byte characters; two-byte GBK
// characters pass unchanged (their trail bytes are never touched).
std::string HtmlEscape(std::string_view gbk);

}  // namespace analysis
