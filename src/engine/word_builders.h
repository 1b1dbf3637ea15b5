#pragma once
// The word builders of smart mode 2: candidate names made of two-character
// words.
//
// A word text is cut by byte position: word k is bytes 4k-3..4k, and bytes at
// the end that do not fill a word are ignored. The two caches
// (RandomWordUnits for PickRandomWords, WordListUnits for BuildWordListNames)
// are cut from the text of the first call that finds them empty and used
// unchanged for the rest of the run, whatever text later calls pass; a pick
// never changes them. One object lives for one run.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/random.h"

namespace engine {

// The 92 characters of the fixed list (GBK).
const std::string& FixedListCharacters();

class WordBuilders {
 public:
  // `longNamePool` is the run's snapshot of LongNamePool.
  WordBuilders(std::string_view longNamePool, RandomSource& random);

  // 500 words of two random LongNamePool characters each (empty when the
  // pool holds no character). `progress` gets the bar position after each
  // word: 0, then i / 500 x 100 truncated, ending at 100.
  std::string BuildRandomWordPool(const std::function<void(int)>& progress = {});

  // One random character of LongNamePool; empty when it holds none.
  std::string PickRandomPoolCharacter();
  // One random character of FixedListCharacters.
  std::string PickFixedListCharacter();

  // Kind 2: one random word of the cached list (empty when it has none);
  // every other kind: empty.
  std::string PickRandomWords(std::string_view wordText, int kind);

  // Kind 2: one word; kind 3: a fixed-list character followed by one word
  // (empty when there is no word); kind 4: two different entries of the list,
  // in the order picked (one word when the list has only one); every other
  // kind: empty.
  std::string BuildWordListNames(std::string_view wordText, int kind);

  const std::vector<std::string>& randomWordUnits() const { return randomWordUnits_; }
  const std::vector<std::string>& wordListUnits() const { return wordListUnits_; }

 private:
  std::vector<std::string> poolCharacters_;
  std::vector<std::string> fixedCharacters_;
  std::vector<std::string> randomWordUnits_;
  std::vector<std::string> wordListUnits_;
  RandomSource& random_;
};

// Word units of a text: bytes 4k-3..4k; trailing bytes ignored.
std::vector<std::string> SplitWords(std::string_view text);

}  // namespace engine
