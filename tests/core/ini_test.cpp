#include <gtest/gtest.h>

#include "frame/settings.h"
#include "platform/folders.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "support/core/test_home.h"

using gbk::G;
using platform::ReadProfileString;
using platform::WriteProfileString;
using testing_support::ReadAll;
using testing_support::TestHome;
using testing_support::WriteAll;

namespace {

class IniTest : public ::testing::Test {
 protected:
  TestHome home;
  std::filesystem::path file = home.root() / "s.ini";
};

TEST_F(IniTest, MissingFileSectionAndKeyGiveTheDefault) {
  EXPECT_EQ(ReadProfileString("S", "k", "def", file), "def");
  WriteAll(file, "[S]\r\na=1\r\n");
  EXPECT_EQ(ReadProfileString("T", "a", "def", file), "def");
  EXPECT_EQ(ReadProfileString("S", "b", "def", file), "def");
}

TEST_F(IniTest, PresentEmptyValueIsEmptyNotTheDefault) {
  WriteAll(file, "[S]\r\na=\r\n");
  EXPECT_EQ(ReadProfileString("S", "a", "def", file), "");
}

TEST_F(IniTest, NamesCompareWithoutCaseAndBlanksAreTrimmed) {
  WriteAll(file, "[Sec]\nKey  =  value here \n");
  EXPECT_EQ(ReadProfileString("sEC", "kEY", "", file), "value here");
}

TEST_F(IniTest, WriteCreatesFileAndSectionAndKeepsOthers) {
  WriteAll(file, "[Other]\r\nx=1\r\n\r\n[S]\r\na=1\r\nb=2\r\n");
  ASSERT_TRUE(WriteProfileString("S", "a", "9", file));
  ASSERT_TRUE(WriteProfileString("S", "c", "3", file));
  ASSERT_TRUE(WriteProfileString("New", "z", "", file));
  EXPECT_EQ(ReadProfileString("Other", "x", "", file), "1");
  EXPECT_EQ(ReadProfileString("S", "a", "", file), "9");
  EXPECT_EQ(ReadProfileString("S", "b", "", file), "2");
  EXPECT_EQ(ReadProfileString("S", "c", "", file), "3");
  EXPECT_EQ(ReadProfileString("New", "z", "def", file), "");
  EXPECT_EQ(ReadAll(file), "[Other]\r\nx=1\r\n\r\n[S]\r\na=9\r\nb=2\r\nc=3\r\n[New]\r\nz=\r\n");

  auto fresh = home.root() / "fresh.ini";
  ASSERT_TRUE(WriteProfileString("S", "k", "v", fresh));
  EXPECT_EQ(ReadAll(fresh), "[S]\r\nk=v\r\n");
}

TEST_F(IniTest, GbkSectionKeysAndValuesRoundTrip) {
  std::string sec = G("澜舟雅集"), key = G("地区名"), value = G("苏州工业园区");
  ASSERT_TRUE(WriteProfileString(sec, key, value, file));
  EXPECT_EQ(ReadProfileString(sec, key, "", file), value);
  // A value whose trail bytes are "[", "=" or "]" survives too.
  std::string tricky = "\x81\x3D\x81\x5B\x81\x5D";
  ASSERT_TRUE(WriteProfileString(sec, "t", tricky, file));
  EXPECT_EQ(ReadProfileString(sec, "t", "", file), tricky);
}

TEST_F(IniTest, LineBreaksInAValueCannotInjectKeysOrSections) {
  ASSERT_TRUE(WriteProfileString("S", "a", "x\r\n[Evil]\r\nb=2", file));
  EXPECT_EQ(ReadProfileString("S", "b", "none", file), "none");
  EXPECT_EQ(ReadProfileString("Evil", "b", "none", file), "none");
  EXPECT_EQ(ReadProfileString("S", "a", "", file), "x  [Evil]  b=2");
  ASSERT_TRUE(WriteProfileString("S", "k=\nv", "1", file));
  EXPECT_EQ(ReadProfileString("S", "v", "none", file), "none");
}

TEST_F(IniTest, LongValuesAreReadWhole) {
  std::string longValue;
  for (int i = 0; i < 6000; ++i) longValue += G("汉");
  ASSERT_TRUE(WriteProfileString("S", "a", longValue, file));
  EXPECT_EQ(ReadProfileString("S", "a", "", file), longValue);
}

TEST_F(IniTest, AFailedWriteLeavesTheOldFile) {
  WriteAll(file, "[S]\r\na=1\r\n");
  auto dirFile = home.root() / "nodir" / "x.ini";
  EXPECT_FALSE(WriteProfileString("S", "a", "2", dirFile));
  EXPECT_EQ(ReadAll(file), "[S]\r\na=1\r\n");
}

TEST_F(IniTest, EmptyNamesReadNothing) {
  WriteAll(file, "[S]\r\na=1\r\n");
  EXPECT_EQ(ReadProfileString("", "a", "def", file), "");
  EXPECT_EQ(ReadProfileString("S", "", "def", file), "");
  EXPECT_EQ(ReadProfileString("S", "a", "def", ""), "");
}

TEST(SettingsFolders, UnwritableDataFolderFallsBackToTheConfigFolder) {
  TestHome home;
  // A file where the data folder should be: neither the folder nor its
  // notice can be made.
  std::filesystem::path data = platform::DataRoot();
  std::filesystem::create_directories(data.parent_path().parent_path());
  WriteAll(data.parent_path(), "not a folder");
  const std::filesystem::path config = platform::ConfigRoot();
  EXPECT_EQ(frame::GetDataDirectory(), config / "3d" / "");
  EXPECT_TRUE(std::filesystem::is_directory(config / "3d"));
  EXPECT_FALSE(std::filesystem::exists(config / "3d" / "用户注意.txt"));
  EXPECT_EQ(frame::GetSettingsFilePath(), config / "Quorvale.txt");
}

TEST(SettingsFolders, WritableDataFolderHoldsNoticeAndSettings) {
  TestHome home;
  const std::filesystem::path data = platform::DataRoot();
  EXPECT_EQ(frame::GetDataDirectory(), data);
  EXPECT_EQ(frame::GetSettingsFilePath(), data / "Dizezorivo.p");
  EXPECT_EQ(ReadAll(data / "用户注意.txt"), frame::NoticeText());
  EXPECT_EQ(frame::EnsureTrailingSlash(""), "/");
  EXPECT_EQ(frame::EnsureTrailingSlash("a/"), "a/");
}

}  // namespace
