#pragma once
// The online dictionary's page index: lines of one character, "|" and the
// number of its page on the site, each ended by CR LF. Shared by the
// evaluation window's character pages and the dictionary window.
#include <optional>
#include <string>
#include <string_view>

namespace online {

// The stored index (GBK bytes).
std::string_view DictionaryIndex();

// The page number of `character` as text, or nothing when the index has no
// line for it. The first occurrence of the text followed by "|" decides
// (letter case respected, starting only at character boundaries), so the
// text must be written as the index writes it; an empty text, or one that
// ends inside a two-byte character, is never found.
std::optional<std::string> DictionaryPageNumber(std::string_view character);

// The page of one character, or the start page when it is not indexed (the
// evaluation window's character tabs; the dictionary window itself tells an
// unindexed character apart).
std::string DictionaryAddressFor(std::string_view character);

}  // namespace online
