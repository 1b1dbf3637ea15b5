#include "analysis/character_lookup.h"

#include <boost/regex.hpp>

#include "engine/char_tables.h"
#include "platform/gbk.h"

namespace analysis {

std::string CheckLookupInput(std::string_view input) {
  if (input.empty()) return gbk::G("请输入至少一个字");
  if (input.size() > kMaxLookupBytes) return gbk::G("输入的文字不能超过100个");
  return {};
}

std::string LookupCharacters(std::string_view input, LookupKind kind) {
  // A class of every byte but 0x00..0x80 and the blank: two such bytes are
  // one GBK character whose trail byte is 0x81 or above. The zero byte is
  // left out too, or it would pass for half of a character.
  static const boost::regex re = [] {
    std::string pattern = "([^";
    pattern += '\0';
    pattern += '-';
    pattern += '\x80';
    pattern += " ]{2}| )";
    return boost::regex(pattern.data(), pattern.data() + pattern.size(),
                        boost::regex::perl | boost::regex::icase);
  }();
  std::string out;
  for (boost::cregex_iterator it(input.data(), input.data() + input.size(), re), end; it != end; ++it) {
    const std::string c = (*it)[1].str();
    if (c == " ") {
      out += c;
      continue;
    }
    switch (kind) {
      case LookupKind::FiveElement:
        out += c + "(" + engine::GetFiveElement(c) + ")";
        break;
      case LookupKind::SimplifiedStrokes:
        out += c + "(" + std::to_string(engine::GetSimplifiedStrokes(c)) + ")";
        break;
      case LookupKind::KangxiStrokes:
        out += engine::ToTraditionalForm(c) + "(" + std::to_string(engine::GetKangxiStrokes(c)) + ")";
        break;
      case LookupKind::Pinyin:
        out += c + "(" + engine::PinyinOf(c) + ")";
        break;
    }
  }
  return out;
}

std::string WithCrLfBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

}  // namespace analysis
