#include "analysis/html_text.h"

#include "platform/gbk.h"

namespace analysis {

std::string HtmlEscape(std::string_view gbk) {
  std::string out;
  out.reserve(gbk.size() + 16);
  size_t i = 0;
  while (i < gbk.size()) {
    unsigned char c = gbk[i];
    if (gbk::IsLeadByte(c) && i + 1 < gbk.size()) {
      out.append(gbk.substr(i, 2));
      i += 2;
      continue;
    }
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out.push_back(static_cast<char>(c));
    }
    ++i;
  }
  return out;
}

std::string PercentEncodeBytes(std::string_view bytes) {
  return gbk::PercentEncode(bytes, [](unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
  });
}

}  // namespace analysis
