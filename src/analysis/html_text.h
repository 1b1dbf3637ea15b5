#pragma once
// Putting user texts into the pages the program generates: a name is text,
// never markup.
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace analysis {

// Escapes & < > " ' where they stand as one-byte characters; two-byte GBK
// characters pass unchanged (their trail bytes are never touched); a byte of
// 0x80 or more that is no part of a two-byte character becomes the
// replacement character, so it can never join with the byte after it.
std::string HtmlEscape(std::string_view gbk);

// Replaces the placeholders of one stored piece in a single pass: text put
// in for one placeholder is never searched for another, so a name that
// happens to contain a placeholder word comes out as typed. Rules are tried
// in order at each position; the scan steps over two-byte characters.
std::string Fill(std::string_view piece,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> rules);

}  // namespace analysis
