#pragma once
// GBK byte strings: every text of the program is kept as GBK bytes. Lengths
// and positions count bytes; a byte of 0x80 or more starts a two-byte
// character, which searches step over as one unit. Unicode appears only at
// the edges (widgets, file names), through the conversions below.
#include <string>
#include <string_view>
#include <vector>

namespace gbk {

// A byte that starts a two-byte character.
inline bool IsLeadByte(unsigned char c) { return c >= 0x80; }

// A byte that can end a two-byte GBK character.
inline bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

// The byte length of the character at byte offset `i`, for texts that may
// hold any bytes (files, the network): 2 only for a lead byte 0x81..0xFE
// followed by a trail byte; a lead byte before anything else (a line feed, a
// quote, the end) stands alone, so it can never hide the byte after it.
inline size_t StrictCharSize(std::string_view text, size_t i) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  return c >= 0x81 && c <= 0xFE && i + 1 < text.size() && IsTrailByte(static_cast<unsigned char>(text[i + 1])) ? 2
                                                                                                            : 1;
}

// UTF-8 <-> GBK. Characters GBK cannot encode become "?"; bytes that are not
// valid GBK become U+FFFD.
std::string ToUtf8(std::string_view gbk);
std::string FromUtf8(std::string_view utf8);

// Shorthand for texts written in the (UTF-8) source: the GBK bytes of `utf8`.
inline std::string G(std::string_view utf8) { return FromUtf8(utf8); }

// The 1-based byte position of the first occurrence of `needle` in `text` at
// or after the 1-based position `start`, or -1. Candidate positions step over
// two-byte characters, so a match never starts on a trail byte. With
// `ignoreCase`, only one-byte ASCII letters are folded: a trail byte is never
// folded. An empty needle is found at `start` in a text that reaches it.
int Find(std::string_view text, std::string_view needle, bool ignoreCase = false, int start = 1);

// The 1-based position of the last occurrence starting at a character
// boundary, or -1.
int FindLast(std::string_view text, std::string_view needle, bool ignoreCase = false);

// Replaces every occurrence (found as Find does, left to right, not
// overlapping) of `from` by `to`.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// Cuts a text into its two-byte units: bytes 2k-1 and 2k are unit k; a last
// odd byte is ignored.
std::vector<std::string> SplitPairs(std::string_view text);

// Cuts a text into characters as a reader sees them: one byte for ASCII, two
// for a GBK character.
std::vector<std::string> SplitCharacters(std::string_view text);

// The lines of a list whose lines each end in CR LF: an empty piece after the
// last CR LF is no line, an empty line inside is an empty line, and a last
// line without its CR LF still counts. CR and LF are below 0x40, so never
// the trail byte of a character: no line ends inside one.
std::vector<std::string_view> SplitLines(std::string_view text);

// True when the text is one two-byte GBK character.
bool IsSingleWideCharacter(std::string_view text);

// Converts full-width ASCII forms (FF01..FF5E, A3A1..A3FE in GBK) and the
// ideographic space to their one-byte forms.
std::string ToHalfWidth(std::string_view text);

// Decimal text to number the way the settings are read back: optional sign,
// leading blanks skipped, ASCII or full-width digits, stops at the first other
// character, anything else 0. Cut to the int range.
long long ParseDecimal(std::string_view text);

// ASCII-only case folding.
std::string AsciiLower(std::string_view text);

// `text` without spaces, tabs, CR and LF at either end.
std::string_view TrimAsciiBlanks(std::string_view text);

// `bytes` with every byte for which `keep` is false written as %XX
// (upper-case hex digits). With `keepWideCharacters` a two-byte character
// (a lead byte 0x81..0xFE and a trail byte, see StrictCharSize) passes
// whole, whatever its bytes.
std::string PercentEncode(std::string_view bytes, bool (*keep)(unsigned char),
                          bool keepWideCharacters = false);

// `text` without its one-byte characters that `set` holds (ASCII letters in
// either case); two-byte characters are stepped over and kept whole.
std::string RemoveAsciiCharacters(std::string_view text, std::string_view set);

}  // namespace gbk
