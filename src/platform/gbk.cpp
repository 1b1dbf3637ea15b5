#include "platform/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace gbk {
namespace {

// iconv descriptors are not thread-safe; one pair per thread keeps
// conversions cheap and lock-free.
struct Converter {
  iconv_t cd;
  Converter(const char* to, const char* from) : cd(iconv_open(to, from)) {}
  ~Converter() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
};

std::string Convert(iconv_t cd, std::string_view in, std::string_view replacement, int skipUnit) {
  std::string out;
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.resize(in.size() * 2 + 16);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char* dst = out.data();
  size_t dstLeft = out.size();
  while (srcLeft > 0) {
    size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    if (r != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      size_t used = dst - out.data();
      out.resize(out.size() * 2);
      dst = out.data() + used;
      dstLeft = out.size() - used;
      continue;
    }
    // EILSEQ or EINVAL: emit the replacement and skip one unit of input.
    size_t used = dst - out.data();
    if (dstLeft < replacement.size() + 8) {
      out.resize(out.size() * 2 + replacement.size());
      dst = out.data() + used;
      dstLeft = out.size() - used;
    }
    std::memcpy(dst, replacement.data(), replacement.size());
    dst += replacement.size();
    dstLeft -= replacement.size();
    size_t skip = 1;
    if (skipUnit == 0) {
      // GBK input: a lead byte with a trail byte counts as one unit.
      unsigned char c = static_cast<unsigned char>(*src);
      if (c >= 0x81 && srcLeft >= 2) skip = 2;
    } else {
      // UTF-8 input: skip the whole sequence.
      unsigned char c = static_cast<unsigned char>(*src);
      skip = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
      if (skip > srcLeft) skip = srcLeft;
    }
    src += skip;
    srcLeft -= skip;
  }
  out.resize(dst - out.data());
  return out;
}

}  // namespace

static bool IsAscii(std::string_view text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

std::string ToUtf8(std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  thread_local Converter conv("UTF-8", "GBK");
  return Convert(conv.cd, text, "\xEF\xBF\xBD", 0);
}

std::string FromUtf8(std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  thread_local Converter conv("GBK", "UTF-8");
  // The converter writes the euro sign as the lone byte 0x80, the one GBK
  // character of one byte above 0x7F; every routine here takes such a byte
  // as the first of a pair and would misread the rest of the text.
  static constexpr std::string_view kEuro = "\xE2\x82\xAC";
  if (text.find(kEuro) != std::string_view::npos) {
    std::string plain(text);
    for (size_t at = plain.find(kEuro); at != std::string::npos; at = plain.find(kEuro, at + 1))
      plain.replace(at, kEuro.size(), "?");
    return Convert(conv.cd, plain, "?", 1);
  }
  return Convert(conv.cd, text, "?", 1);
}

namespace {
inline unsigned char Fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

// Compares needle against text at byte offset `at`. Case folding applies only
// to bytes that stand as one-byte characters in both: the trail byte of a
// two-byte character (in the text or in the needle) is compared exactly.
bool MatchAt(std::string_view text, size_t at, std::string_view needle, bool ignoreCase) {
  if (at + needle.size() > text.size()) return false;
  // Whether byte j is a trail byte, walking both from a character boundary.
  bool textTrail = false, needleTrail = false;
  for (size_t j = 0; j < needle.size(); ++j) {
    unsigned char a = text[at + j], b = needle[j];
    if (a != b &&
        (!ignoreCase || a >= 0x80 || b >= 0x80 || textTrail || needleTrail || Fold(a) != Fold(b)))
      return false;
    textTrail = !textTrail && a >= 0x80;
    needleTrail = !needleTrail && b >= 0x80;
  }
  return true;
}
}  // namespace

int Find(std::string_view text, std::string_view needle, bool ignoreCase, int start) {
  if (start < 1) start = 1;
  size_t i = 0;
  // Walk to the first character boundary at or after `start`.
  while (i < static_cast<size_t>(start - 1) && i < text.size())
    i += (static_cast<unsigned char>(text[i]) >= 0x80) ? 2 : 1;
  if (needle.empty()) return i < text.size() ? static_cast<int>(i) + 1 : -1;
  while (i + needle.size() <= text.size()) {
    if (MatchAt(text, i, needle, ignoreCase)) return static_cast<int>(i) + 1;
    i += (static_cast<unsigned char>(text[i]) >= 0x80) ? 2 : 1;
  }
  return -1;
}

int FindLast(std::string_view text, std::string_view needle, bool ignoreCase) {
  // One pass over the character boundaries, keeping the last match.
  int last = -1;
  size_t i = 0;
  if (needle.empty()) {
    while (i < text.size()) {
      last = static_cast<int>(i) + 1;
      i += (static_cast<unsigned char>(text[i]) >= 0x80) ? 2 : 1;
    }
    return last;
  }
  while (i + needle.size() <= text.size()) {
    if (MatchAt(text, i, needle, ignoreCase)) last = static_cast<int>(i) + 1;
    i += (static_cast<unsigned char>(text[i]) >= 0x80) ? 2 : 1;
  }
  return last;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(text);
  // One walk over the character boundaries (the ones Find steps on), so a
  // large pasted text costs time in proportion to its length.
  std::string out;
  out.reserve(text.size());
  size_t i = 0, copied = 0;
  auto step = [&] { i += (static_cast<unsigned char>(text[i]) >= 0x80) ? 2 : 1; };
  while (i + from.size() <= text.size()) {
    if (text.compare(i, from.size(), from) != 0) {
      step();
      continue;
    }
    out.append(text.substr(copied, i - copied));
    out.append(to);
    copied = i + from.size();
    while (i < copied) step();
  }
  if (copied < text.size()) out.append(text.substr(copied));
  return out;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> SplitPairs(std::string_view text) {
  std::vector<std::string> out;
  out.reserve(text.size() / 2);
  for (size_t i = 0; i + 1 < text.size(); i += 2) out.emplace_back(text.substr(i, 2));
  return out;
}

std::vector<std::string> SplitCharacters(std::string_view text) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < text.size()) {
    size_t n = (static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size()) ? 2 : 1;
    out.emplace_back(text.substr(i, n));
    i += n;
  }
  return out;
}

bool IsSingleWideCharacter(std::string_view text) {
  return text.size() == 2 && static_cast<unsigned char>(text[0]) >= 0x81;
}

std::string ToHalfWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    unsigned char c = text[i];
    if (c >= 0x80 && i + 1 < text.size()) {
      unsigned char t = text[i + 1];
      if (c == 0xA3 && t >= 0xA1 && t <= 0xFE) {
        out.push_back(static_cast<char>(t - 0x80));
      } else if (c == 0xA1 && t == 0xA1) {
        out.push_back(' ');
      } else {
        out.push_back(static_cast<char>(c));
        out.push_back(static_cast<char>(t));
      }
      i += 2;
    } else {
      out.push_back(static_cast<char>(c));
      ++i;
    }
  }
  return out;
}

long long ParseDecimal(std::string_view text) {
  // Reads only as far as the number reaches, so the cost does not grow with
  // what follows it. Full-width forms count as their one-byte forms.
  size_t i = 0;
  auto next = [&]() -> int {
    if (i >= text.size()) return -1;
    unsigned char c = text[i];
    if (c < 0x80 || i + 1 >= text.size()) return c;
    unsigned char t = text[i + 1];
    if (c == 0xA3 && t >= 0xA1 && t <= 0xFE) return t - 0x80;
    if (c == 0xA1 && t == 0xA1) return ' ';
    return 0x100;  // any other two-byte character
  };
  auto advance = [&] { i += (static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size()) ? 2 : 1; };
  while (next() == ' ' || next() == '\t') advance();
  bool neg = false;
  if (next() == '-' || next() == '+') {
    neg = next() == '-';
    advance();
  }
  long long v = 0;
  for (int c = next(); c >= '0' && c <= '9'; c = next()) {
    v = v * 10 + (c - '0');
    if (v > INT_MAX) v = INT_MAX;
    advance();
  }
  return neg ? -v : v;
}

std::string_view TrimAsciiBlanks(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  size_t i = 0;
  while (i < out.size()) {
    unsigned char c = out[i];
    if (c >= 0x80) {
      i += 2;
      continue;
    }
    if (c >= 'A' && c <= 'Z') out[i] = static_cast<char>(c + 32);
    ++i;
  }
  return out;
}

std::string PercentEncode(std::string_view bytes, bool (*keep)(unsigned char), bool keepWideCharacters) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    unsigned char c = bytes[i];
    // Only a real pair passes whole: a lone 0x80 or a lead byte before a
    // byte that cannot end a character would make the decoder take the next
    // byte ("_", "/") into a character of its own.
    if (keepWideCharacters && StrictCharSize(bytes, i) == 2) {
      out.append(bytes.substr(i++, 2));
    } else if (keep(c)) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  return out;
}

std::string RemoveAsciiCharacters(std::string_view text, std::string_view set) {
  const std::string lowerSet = AsciiLower(set);
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    unsigned char c = text[i];
    if (IsLeadByte(c) && i + 1 < text.size()) {
      out.append(text.substr(i, 2));
      i += 2;
      continue;
    }
    unsigned char folded = c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c;
    if (c >= 0x80 || lowerSet.find(static_cast<char>(folded)) == std::string::npos)
      out.push_back(static_cast<char>(c));
    ++i;
  }
  return out;
}

}  // namespace gbk
