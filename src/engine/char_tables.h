#pragma once
// Character attributes: simplified and Kangxi stroke counts, traditional
// form, five element and pinyin, read from the character tables shipped
// under data/chars/. Every text is GBK; a character is one two-byte unit.
//
// All lookups are pure functions of their argument, the shipped tables and
// the Kangxi overrides of the information file, safe to call from any
// thread at any time, and never fail: unknown input gives the neutral
// values -1 (simplified strokes), 0 (Kangxi strokes), "未" (element) or
// the empty text (pinyin).
#include <stop_token>
#include <string>
#include <string_view>

#include "engine/luck.h"

namespace engine {

// Simplified stroke count of the first character; -1 when it is not a
// GB2312 hanzi, 0 for the five unassigned code positions D7FA..D7FE.
int GetSimplifiedStrokes(std::string_view ch);

// The traditional form, character by character; the result always has the
// byte length of `text`. Characters without a traditional form (one-byte
// characters among them) stay as they are.
std::string ToTraditionalForm(std::string_view text);

// Kangxi stroke count (≥ 0; 0 when unknown). The overrides come first, then
// the name character text, the traditional pair text and the stroke list.
int GetKangxiStrokes(std::string_view ch);

// Count from the stroke list, else from the stroke groups; ≥ 0.
int LookupStrokeList(std::string_view ch);

// Count from the stroke groups; 0 when the character is not listed.
int LookupStrokeGroup(std::string_view ch);

// "金", "木", "水", "火", "土" or "未" (GBK).
std::string GetFiveElement(std::string_view ch);

// First reading in lower-case ASCII without tone, ü written "v"; empty for
// anything but a GB2312 hanzi.
std::string PinyinOf(std::string_view ch);

// Publishes the information file's "kang" text: entries of a character,
// "-", its Kangxi stroke count and "/"; an entry whose count is not 1..99 is
// ignored. Readers on other threads see either the old or the new text,
// never a mixture. An empty text removes them. Takes time in proportion to
// the text; a stop request ends it early, leaving the old text in place and
// returning false.
bool SetKangxiOverrides(std::string_view text, std::stop_token stop = {});

struct CharacterAttributes {
  std::string character;
  int simplifiedStrokes = -1;
  int kangxiStrokes = 0;
  std::string pinyin;
  std::string fiveElement;
  std::string traditional;
};

// The attributes of one character, each computed only when asked for; the
// outputs not asked for are left untouched. Always returns true.
bool LookupNameAttributes(std::string_view ch, int& simplifiedStrokes, bool wantSimplified,
                          int& kangxiStrokes, bool wantKangxi, std::string& pinyin, bool wantPinyin,
                          std::string& fiveElement, bool wantFiveElement, std::string& traditional,
                          bool wantTraditional);

// All five attributes at once.
CharacterAttributes LookupNameAttributes(std::string_view ch);

}  // namespace engine
