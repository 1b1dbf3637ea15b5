#include "engine/luck.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/char_tables_index.h"
#include "platform/gbk.h"

namespace engine {
namespace {

constexpr int kNumbers = 81;

// The table is "|" n "|" grade for n = 1..81 and a closing "|"; the first
// entry of a number decides.
std::array<int, kNumbers + 1> ParseGrades(std::string_view table) {
  static const std::string lucky = gbk::G("吉"), halfLucky = gbk::G("半吉"), unlucky = gbk::G("凶");
  std::array<int, kNumbers + 1> scores{};
  std::array<bool, kNumbers + 1> seen{};
  std::vector<std::string_view> fields;
  for (size_t start = 0;;) {
    int p = gbk::Find(table.substr(start), "|");
    if (p < 0) {
      fields.push_back(table.substr(start));
      break;
    }
    fields.push_back(table.substr(start, p - 1));
    start += p;
  }
  // Field j is followed by a bar for every j but the last.
  for (size_t j = 1; j + 1 < fields.size(); ++j) {
    std::string_view f = fields[j];
    int n = 0;
    if (f.empty() || f.size() > 2 || f[0] == '0') continue;
    bool digits = true;
    for (char c : f) {
      if (c < '0' || c > '9') digits = false;
      n = n * 10 + (c - '0');
    }
    if (!digits || n < 1 || n > kNumbers || seen[n]) continue;
    seen[n] = true;
    std::string_view grade = j + 2 < fields.size() ? fields[j + 1] : std::string_view();
    scores[n] = grade == lucky ? 100 : grade == halfLucky ? 99 : grade == unlucky ? 98 : 0;
  }
  return scores;
}

}  // namespace

int LuckGradeOfNumber(int n) {
  static const std::array<int, kNumbers + 1> scores = ParseGrades(chardata::EmbeddedTables().luck);
  // Exactly five reductions: a number of 482 or more stays out of the table.
  for (int i = 0; i < 5; ++i)
    if (n > kNumbers) n -= 80;
  return n >= 1 && n <= kNumbers ? scores[n] : 0;
}

}  // namespace engine
