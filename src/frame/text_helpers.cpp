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

namespace {

// The variable's value without the blanks a shell or an editor may leave.
std::string ConfiguredSite() {
  const char* v = std::getenv(kSiteUrlVariable);
  std::string_view url = v ? v : "";
  const std::string_view blanks = " \t\r\n";
  const size_t first = url.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return std::string(url.substr(first, url.find_last_not_of(blanks) - first + 1));
}

}  // namespace

std::string SiteBaseUrl() {
  // The maker's site is not reachable from here; the reserved ".invalid"
  // name never resolves, so an unconfigured program fails fast and quietly.
  std::string url = ConfiguredSite();
  if (url.empty()) url = "http://www.lanzhou-yaji.invalid/";
  // A bare host ("127.0.0.1:8080/") would otherwise be taken for a local
  // file by the browser boxes.
  if (url.find("://") == std::string::npos) url = "http://" + url;
  if (url.back() != '/') url += '/';
  return url;
}

bool SiteAddressSet() { return !ConfiguredSite().empty(); }

}  // namespace frame
