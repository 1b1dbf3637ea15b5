#include "engine/word_builders.h"

#include "platform/gbk.h"

namespace engine {

const std::string& FixedListCharacters() {
  static const std::string text = gbk::G(
      "梦邦酷福东圣同利吉凯美瑞星泽千胜科龙兰博正惠嘉联悦奥维中霁岚德月天通万真欧达元亚信羽飞宝彩尚富高盛百汇"
      "华海"
      "世迈新冠远泰顺茂润亿启凡康智金银微爱振耀苏贝优蓝雷双玉创清精大白全速水时缘花铁");
  return text;
}

std::vector<std::string> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  words.reserve(text.size() / 4);
  for (std::size_t i = 0; i + 4 <= text.size(); i += 4) words.emplace_back(text.substr(i, 4));
  return words;
}

WordBuilders::WordBuilders(std::string_view longNamePool, RandomSource& random)
    : poolCharacters_(gbk::SplitPairs(longNamePool)),
      fixedCharacters_(gbk::SplitPairs(FixedListCharacters())),
      random_(random) {}

std::string WordBuilders::BuildRandomWordPool(const std::function<void(int)>& progress) {
  constexpr int kWords = 500;
  std::string pool;
  if (progress) progress(0);
  for (int i = 1; i <= kWords; ++i) {
    if (progress) progress(i * 100 / kWords);
    pool += PickRandomPoolCharacter();
    pool += PickRandomPoolCharacter();
  }
  return pool;
}

std::string WordBuilders::PickRandomPoolCharacter() {
  if (poolCharacters_.empty()) return {};
  return poolCharacters_[static_cast<std::size_t>(
      random_.Between(1, static_cast<int>(poolCharacters_.size())) - 1)];
}

std::string WordBuilders::PickFixedListCharacter() {
  return fixedCharacters_[static_cast<std::size_t>(
      random_.Between(1, static_cast<int>(fixedCharacters_.size())) - 1)];
}

std::string WordBuilders::PickRandomWords(std::string_view wordText, int kind) {
  if (randomWordUnits_.empty()) randomWordUnits_ = SplitWords(wordText);
  if (kind != 2 || randomWordUnits_.empty()) return {};
  // One take from a copy leaves the cache as it was: picking by index is the
  // same draw without copying the list.
  return randomWordUnits_[static_cast<std::size_t>(
      random_.Between(1, static_cast<int>(randomWordUnits_.size())) - 1)];
}

std::string WordBuilders::BuildWordListNames(std::string_view wordText, int kind) {
  if (wordListUnits_.empty()) wordListUnits_ = SplitWords(wordText);
  const auto& units = wordListUnits_;
  const int size = static_cast<int>(units.size());
  switch (kind) {
    case 2:
      if (size == 0) return {};
      return units[static_cast<std::size_t>(random_.Between(1, size) - 1)];
    case 3: {
      if (size == 0) return {};
      std::string word = units[static_cast<std::size_t>(random_.Between(1, size) - 1)];
      return PickFixedListCharacter() + word;
    }
    case 4: {
      if (size == 0) return {};
      int first = random_.Between(1, size) - 1;
      std::string result = units[static_cast<std::size_t>(first)];
      if (size == 1) return result;
      // Entry k of the list without the first pick.
      int second = random_.Between(1, size - 1) - 1;
      if (second >= first) ++second;
      return result + units[static_cast<std::size_t>(second)];
    }
    default:
      return {};
  }
}

}  // namespace engine
