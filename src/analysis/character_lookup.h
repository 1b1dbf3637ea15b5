#pragma once
// The character lookup window's queries: the five element, the simplified
// strokes, the traditional form with its Kangxi strokes, or the pinyin of
// each character typed. Texts are GBK.
#include <string>
#include <string_view>

namespace analysis {

enum class LookupKind { FiveElement = 0, SimplifiedStrokes = 1, KangxiStrokes = 2, Pinyin = 3 };

// Longest input, in bytes (100 two-byte characters). A line break counts two
// bytes (CR LF), as the box has always counted it.
inline constexpr std::size_t kMaxLookupBytes = 200;

// The refusal for an input (as the box holds it, line breaks as CR LF), or
// the empty text when it may be looked up.
std::string CheckLookupInput(std::string_view input);

// One entry per two-byte character (both bytes 0x81 or above), a blank per
// blank, nothing for anything else; no separators.
std::string LookupCharacters(std::string_view input, LookupKind kind);

// The box's text with every line break as CR LF.
std::string WithCrLfBreaks(std::string_view text);

}  // namespace analysis
