#include "analysis/html_text.h"

#include "platform/gbk.h"

namespace analysis {

std::string HtmlEscape(std::string_view gbk) {
  std::string out;
  out.reserve(gbk.size() + 16);
  size_t i = 0;
  while (i < gbk.size()) {
    unsigned char c = gbk[i];
    if (gbk::StrictCharSize(gbk, i) == 2) {
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
        // A byte of 0x80 or more that starts no character: a browser would
        // join it with the byte after it, which may be markup.
        if (c >= 0x80)
          out += "&#65533;";
        else
          out.push_back(static_cast<char>(c));
    }
    ++i;
  }
  return out;
}

std::string Fill(std::string_view piece,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> rules) {
  std::string out;
  out.reserve(piece.size() + 256);
  size_t i = 0;
  while (i < piece.size()) {
    bool done = false;
    for (const auto& [from, to] : rules) {
      if (!from.empty() && piece.compare(i, from.size(), from) == 0) {
        out.append(to);
        i += from.size();
        done = true;
        break;
      }
    }
    if (done) continue;
    size_t n = gbk::IsLeadByte(static_cast<unsigned char>(piece[i])) && i + 1 < piece.size() ? 2 : 1;
    out.append(piece.substr(i, n));
    i += n;
  }
  return out;
}

}  // namespace analysis
