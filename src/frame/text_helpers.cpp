#include "frame/text_helpers.h"

#include <cstdlib>

#include "platform/gbk.h"

namespace frame {

std::string TextBefore(std::string_view text, std::string_view separator) {
  int p = gbk::Find(text, separator, true);
  if (p - 1 <= 0) return {};
  return std::string(text.substr(0, p - 1));
}

std::string TextAfter(std::string_view text, std::string_view separator) {
  int p = gbk::Find(text, separator, true);
  size_t left = p > 1 ? static_cast<size_t>(p - 1) : 0;
  long long n = static_cast<long long>(text.size()) - static_cast<long long>(left) -
                static_cast<long long>(separator.size());
  if (n <= 0) return {};
  if (static_cast<size_t>(n) >= text.size()) return std::string(text);
  return std::string(text.substr(text.size() - static_cast<size_t>(n)));
}

std::string SiteBaseUrl() {
  // The maker's site is not reachable from here; the reserved ".invalid"
  // name never resolves, so an unconfigured program fails fast and quietly.
  std::string url = "http://www.lanzhou-yaji.invalid/";
  if (const char* v = std::getenv(kSiteUrlVariable); v && *v) url = v;
  if (url.empty() || url.back() != '/') url += '/';
  return url;
}

bool SiteAddressSet() {
  const char* v = std::getenv(kSiteUrlVariable);
  return v && *v;
}

}  // namespace frame
