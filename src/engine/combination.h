#pragma once
// Combination mode input: the characters the user types into
// CombinationInputWindow, cut into distinct units, and the archive that
// keeps them between sessions.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/smart_mode_run.h"

namespace engine {

// Full-width ASCII forms A3A1..A3FE become their one-byte forms, the
// ideographic space a space, the full-width tilde A1AB a tilde, the two stars
// A1EE and A1EF an asterisk; everything else stays.
std::string ConvertToHalfWidth(std::string_view text);

// `text` without the punctuation that the input box commonly collects (CR LF
// pairs, spaces, ASCII and full-width punctuation); two-byte characters are
// matched only whole.
std::string CleanInputText(std::string_view text);

// The bytes one unit of the split takes, from the CombinationLimit text:
// its number, cut down to whole two-byte characters; 0 (nothing is taken)
// when that leaves no character.
int CombinationUnitBytes(std::string_view limitText);

struct CombinationInput {
  std::string cleanedText;              // what the input box shows after OK
  std::vector<std::string> characters;  // CombinationCharacters: distinct, first-seen order
  std::string characterText;            // CombinationCharacterText: the same, joined
};

// Everything OK does to the typed text: half-width conversion, removal of
// CleanedCharacterSet and of the punctuation, then every run of
// `CombinationUnitBytes` bytes of 0x81 or above, repeats skipped.
CombinationInput SplitCombinationInput(std::string_view boxText, std::string_view limitText);

// More than this many distinct characters are refused.
inline constexpr std::size_t kMaxCombinationCharacters = 50;

// "为保证正常运行,请不要输入超过50个汉字.当前字数:" and the count (flags 64,
// title "提示").
Prompt TooManyCharactersRefusal(std::size_t count);

// AppDataDirectory + "组词模式存档.txt".
std::filesystem::path CombinationArchivePath();
// The archive's text up to its first zero byte; empty when missing.
std::string LoadCombinationArchive(const std::filesystem::path& file);
// Replaces the archive atomically (its folder is made when missing); returns
// whether it was written.
bool SaveCombinationArchive(const std::filesystem::path& file, std::string_view characterText);

// Total of the progress of a combination run over n characters: n x n for
// two-character names, n x n x n for three; 0 for any other length.
long long CombinationTotal(long long n, int nameLength);

}  // namespace engine
