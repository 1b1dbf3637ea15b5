#include "engine/combination.h"

#include <boost/regex.hpp>
#include <unordered_set>

#include "engine/generate.h"
#include "frame/globals.h"
#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/gbk.h"
#include "platform/ini.h"

namespace engine {

std::string ConvertToHalfWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    auto a = static_cast<unsigned char>(text[i]);
    if (!gbk::IsLeadByte(a) || i + 1 >= text.size()) {
      out += text[i++];
      continue;
    }
    auto b = static_cast<unsigned char>(text[i + 1]);
    if (a == 0xA3 && b >= 0xA1 && b <= 0xFE)
      out += static_cast<char>(b - 0x80);
    else if (a == 0xA1 && b == 0xA1)
      out += ' ';
    else if (a == 0xA1 && b == 0xAB)
      out += '~';
    else if (a == 0xA1 && (b == 0xEE || b == 0xEF))
      out += '*';
    else
      out.append(text.substr(i, 2));
    i += 2;
  }
  return out;
}

std::string CleanInputText(std::string_view text) {
  // The texts in the order they have always been removed; removing them in
  // this order matters only for the CR LF pair, which goes first.
  static const std::vector<std::string> removed = [] {
    const unsigned char bytes[][2] = {
        {0x0D, 0x0A}, {0x20, 0},    {0xA1, 0xB1}, {0xA1, 0xB0}, {0xA1, 0xA2}, {0xA1, 0xA3}, {0xA3, 0xAC},
        {0xA3, 0xBB}, {0xA3, 0xBA}, {0x2E, 0},    {0xA1, 0xB6}, {0xA1, 0xB7}, {0x22, 0},    {0xA1, 0xAF},
        {0x27, 0},    {0x3C, 0},    {0x3E, 0},    {0x5B, 0},    {0x5D, 0},    {0xA1, 0xBA}, {0xA1, 0xBB},
        {0xA1, 0xBE}, {0xA1, 0xBF}, {0x7B, 0},    {0x7D, 0},    {0x23, 0},    {0x40, 0},    {0x21, 0},
        {0x24, 0},    {0x26, 0},    {0x28, 0},    {0x29, 0},    {0xA3, 0xA8}, {0xA3, 0xA9}, {0xA3, 0xA5},
        {0x25, 0},    {0xA3, 0xA4}, {0xA3, 0xA3}, {0xA1, 0xA4}, {0xA3, 0xAD}, {0xA1, 0xAA}, {0x5F, 0},
        {0x2D, 0},    {0x2B, 0},    {0xA3, 0xAB}, {0xA1, 0xAB}, {0x60, 0},    {0x2A, 0},    {0xA1, 0xC1},
        {0x2F, 0},    {0x5C, 0},    {0xA1, 0xC2}, {0x7C, 0},    {0xA1, 0xEC}, {0xA3, 0xBD}, {0x3D, 0}};
    std::vector<std::string> list;
    for (const auto& b : bytes) {
      std::string s(1, static_cast<char>(b[0]));
      if (b[1]) s += static_cast<char>(b[1]);
      list.push_back(s);
    }
    return list;
  }();
  std::string out(text);
  for (const auto& r : removed) out = gbk::ReplaceAll(out, r, "");
  return out;
}

int CombinationUnitBytes(std::string_view limitText) {
  long long n = gbk::ParseDecimal(limitText);
  // A unit of an odd byte count would cut characters in half, and a unit of
  // none matches the empty text everywhere.
  if (n < 2) return 0;
  if (n > 1000) n = 1000;
  return static_cast<int>(n - n % 2);
}

CombinationInput SplitCombinationInput(std::string_view boxText, std::string_view limitText) {
  CombinationInput result;
  result.cleanedText = CleanInputText(RemoveCleanedCharacters(ConvertToHalfWidth(boxText)));
  const int n = CombinationUnitBytes(limitText);
  if (n == 0) return result;

  std::string pattern = "([^";
  pattern += '\x01';
  pattern += '-';
  pattern += '\x80';
  pattern += " ]{" + std::to_string(n) + "})";
  const boost::regex re(pattern, boost::regex::perl | boost::regex::icase);

  std::unordered_set<std::string> seen;
  const std::string& text = result.cleanedText;
  for (boost::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it) {
    std::string unit = (*it)[1].str();
    if (!seen.insert(unit).second) continue;
    result.characterText += unit;
    result.characters.push_back(std::move(unit));
  }
  return result;
}

Prompt TooManyCharactersRefusal(std::size_t count) {
  return {gbk::G("为保证正常运行,请不要输入超过50个汉字.当前字数:") + std::to_string(count), gbk::G("提示"),
          platform::kOkInformation};
}

std::filesystem::path CombinationArchivePath() {
  return frame::globals().appDataDirectory / "组词模式存档.txt";
}

std::string LoadCombinationArchive(const std::filesystem::path& file) {
  std::string bytes = platform::ReadFileBytes(file);
  if (auto zero = bytes.find('\0'); zero != std::string::npos) bytes.resize(zero);
  return bytes;
}

bool SaveCombinationArchive(const std::filesystem::path& file, std::string_view characterText) {
  if (file.has_parent_path()) platform::EnsureFolder(file.parent_path());
  return platform::WriteFileAtomically(file, characterText);
}

long long CombinationTotal(long long n, int nameLength) {
  if (nameLength == 2) return n * n;
  if (nameLength == 3) return n * n * n;
  return 0;
}

}  // namespace engine
