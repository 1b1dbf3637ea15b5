#include "platform/web_address.h"

#include <algorithm>

#include "platform/gbk.h"

namespace platform {

bool IsHttpAddress(std::string_view address) {
  for (unsigned char c : address) {
    if (c < 0x21 || c == 0x7F) return false;
  }
  std::string scheme = gbk::AsciiLower(address.substr(0, std::min<size_t>(address.size(), 8)));
  size_t hostStart = scheme.starts_with("http://") ? 7 : scheme.starts_with("https://") ? 8 : 0;
  if (hostStart == 0) return false;
  std::string_view host = address.substr(hostStart);
  host = host.substr(0, host.find_first_of("/?#"));
  size_t at = host.rfind('@');
  if (at != std::string_view::npos) host = host.substr(at + 1);
  return !host.empty() && host.front() != ':';
}

std::string EncodeAddressForRequest(std::string_view address) {
  return gbk::PercentEncode(address, [](unsigned char c) {
    return c > 0x20 && c < 0x7F && c != '"' && c != '<' && c != '>' && c != '\\' && c != '^' && c != '`' &&
           c != '{' && c != '|' && c != '}';
  });
}

std::string PercentEncodeBytes(std::string_view bytes) {
  return gbk::PercentEncode(bytes, [](unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
  });
}

}  // namespace platform
