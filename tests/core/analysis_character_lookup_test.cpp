#include <gtest/gtest.h>

#include "analysis/character_lookup.h"
#include "platform/gbk.h"

using analysis::LookupKind;
using gbk::G;

namespace {

TEST(LookupCharacters, GivesOneEntryPerCharacterAndKeepsBlanks) {
  struct Case {
    LookupKind kind;
    std::string input, expected;
  };
  const std::string odd = std::string("\x81\x40", 2);  // trail byte below 0x81
  const Case cases[] = {
      {LookupKind::FiveElement, G("金 木"), G("金(金) 木(木)")},
      {LookupKind::SimplifiedStrokes, G("啊"), G("啊(10)")},
      {LookupKind::KangxiStrokes, G("钟龙"), G("鍾(17)龍(16)")},
      {LookupKind::Pinyin, G("绿"), G("绿(lv)")},
      {LookupKind::FiveElement, G("，"), G("，(未)")},
      {LookupKind::SimplifiedStrokes, G("，"), G("，(-1)")},
      {LookupKind::KangxiStrokes, G("，"), G("，(0)")},
      {LookupKind::Pinyin, G("，"), G("，()")},
      {LookupKind::Pinyin, odd + G("啊"), G("啊(a)")},
      {LookupKind::FiveElement, "ab12,.", ""},
      {LookupKind::FiveElement, G("金  金"), G("金(金)  金(金)")},
      {LookupKind::FiveElement, G("金\r\n木"), G("金(金)木(木)")},
      {LookupKind::FiveElement, std::string("\xB0\0\0\0", 4) + G("金"),
       G("金(金)")},  // a zero byte is no half
  };
  for (const Case& c : cases)
    EXPECT_EQ(gbk::ToUtf8(analysis::LookupCharacters(c.input, c.kind)), gbk::ToUtf8(c.expected))
        << gbk::ToUtf8(c.input);
}

TEST(CheckLookupInput, RefusesEmptyAndMoreThanAHundredCharacters) {
  std::string hundred;
  for (int i = 0; i < 100; ++i) hundred += G("啊");
  EXPECT_EQ(analysis::CheckLookupInput(hundred), "");
  EXPECT_EQ(analysis::CheckLookupInput(hundred + G("啊")), G("输入的文字不能超过100个"));
  EXPECT_EQ(analysis::CheckLookupInput(""), G("请输入至少一个字"));
  // A line break counts two bytes.
  const std::string broken = analysis::WithCrLfBreaks(hundred.substr(0, 198) + "\n");
  EXPECT_EQ(broken.size(), 200u);
  EXPECT_EQ(analysis::CheckLookupInput(analysis::WithCrLfBreaks(hundred.substr(0, 198) + "\n\n")),
            G("输入的文字不能超过100个"));
}

}  // namespace
