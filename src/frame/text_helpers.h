#pragma once
// Small shared helpers: cutting a text at a separator and the site address.
#include <string>
#include <string_view>

namespace frame {

// The part of `text` before the first occurrence of `separator` (found
// ignoring ASCII letter case, starting only at character boundaries); empty
// when the separator is absent or stands at the start.
std::string TextBefore(std::string_view text, std::string_view separator);

// The part of `text` after the first occurrence of `separator`. When the
// separator is absent the result is the text without its first
// separator-length bytes, so callers that must tell the cases apart search
// first.
std::string TextAfter(std::string_view text, std::string_view separator);

// The base address of the maker's site, always ending in "/". Taken from
// LANZHOU_SITE_URL when set.
std::string SiteBaseUrl();

// Whether the user has given the site's address at all; without it every
// site request is bound to fail, and callers can say why.
bool SiteAddressSet();

inline constexpr const char* kSiteUrlVariable = "LANZHOU_SITE_URL";

}  // namespace frame
