#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "frame/settings.h"
#include "platform/folders.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "support/core/test_home.h"

using gbk::G;
using platform::ReadProfileString;
using platform::WriteProfileString;
using testing_support::AsOrdinaryUser;
using testing_support::ReadAll;
using testing_support::ScopedEnv;
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

TEST_F(IniTest, OneBatchWritesEveryKeyOnce) {
  WriteAll(file, "[S]\r\na=1\r\n\r\n[T]\r\nx=1\r\n");
  ASSERT_TRUE(platform::WriteProfileStrings("S", {{"a", "9"}, {"c", "3"}, {"A", "10"}}, file));
  EXPECT_EQ(ReadAll(file), "[S]\r\na=10\r\nc=3\r\n\r\n[T]\r\nx=1\r\n");
}

// The file is kept parsed between reads; a change by someone else (another
// size, another modification time, a new file put in its place) is seen.
TEST_F(IniTest, ChangesMadeByOthersAreSeen) {
  auto setModified = [&](int seconds) {
    struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ::utimensat(AT_FDCWD, file.c_str(), times, 0);
  };
  WriteAll(file, "[S]\r\na=1\r\n");
  setModified(1000);
  EXPECT_EQ(ReadProfileString("S", "a", "", file), "1");
  WriteAll(file, "[S]\r\na=22\r\n");
  setModified(1000);
  EXPECT_EQ(ReadProfileString("S", "a", "", file), "22");
  WriteAll(file, "[S]\r\na=33\r\n");
  setModified(2000);
  EXPECT_EQ(ReadProfileString("S", "a", "", file), "33");
  auto other = home.root() / "other.ini";
  WriteAll(other, "[S]\r\na=44\r\n");
  std::filesystem::rename(other, file);
  setModified(2000);
  EXPECT_EQ(ReadProfileString("S", "a", "", file), "44");
  ASSERT_TRUE(WriteProfileString("S", "b", "5", file));
  WriteAll(file, "[S]\r\na=55\r\n");
  EXPECT_EQ(ReadProfileString("S", "b", "none", file), "none");
  std::filesystem::remove(file);
  EXPECT_EQ(ReadProfileString("S", "a", "gone", file), "gone");
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

mode_t ModeOf(const std::filesystem::path& file) {
  struct stat st {};
  ::stat(file.c_str(), &st);
  return st.st_mode & 07777;
}

TEST_F(IniTest, AWriteNeverReplacesWhatItCouldNotRead) {
  const std::string before = "[S]\r\na=1\r\n[Other]\r\nx=2\r\n";
  // Unreadable: the write must refuse and leave the file as it was.
  std::filesystem::path shared = home.root() / "shared";
  std::filesystem::create_directories(shared);
  ::chmod(home.root().c_str(), 0755);
  ::chmod(shared.c_str(), 0777);
  std::filesystem::path locked = shared / "locked.ini";
  WriteAll(locked, before);
  ::chmod(locked.c_str(), 0);
  EXPECT_FALSE(AsOrdinaryUser([&] { return WriteProfileString("S", "b", "3", locked); }));
  ::chmod(locked.c_str(), 0600);
  EXPECT_EQ(ReadAll(locked), before);

  // Readable: replaced with its mode kept.
  WriteAll(file, before);
  ::chmod(file.c_str(), 0640);
  ASSERT_TRUE(WriteProfileString("S", "b", "3", file));
  EXPECT_EQ(ModeOf(file), 0640u);
  EXPECT_EQ(ReadProfileString("Other", "x", "", file), "2");
}

// Replacing a file: its mode kept only when its owner can read and write
// it, a read-only file refused, a link written through to its target, and
// never a temporary file left beside it.
TEST_F(IniTest, ReplacingAFile) {
  namespace fs = std::filesystem;
  struct Case {
    const char* what;
    std::function<void(const fs::path& file, const fs::path& target)> prepare;
    bool written;
    mode_t mode;  // of the file holding the bytes afterwards
    bool viaLink;
  };
  auto file = [](mode_t mode) {
    return [mode](const fs::path& f, const fs::path&) {
      WriteAll(f, "old");
      ::chmod(f.c_str(), mode);
    };
  };
  auto link = [](std::optional<mode_t> targetMode) {
    return [targetMode](const fs::path& f, const fs::path& target) {
      if (targetMode) {
        WriteAll(target, "old");
        ::chmod(target.c_str(), *targetMode);
      }
      fs::create_symlink(target.filename(), f);
    };
  };
  const Case cases[] = {
      {"missing", [](const fs::path&, const fs::path&) {}, true, 0644, false},
      {"private", file(0600), true, 0600, false},
      {"unreadable", file(0), true, 0644, false},
      {"write-only", file(0200), true, 0644, false},
      {"read-only", file(0444), false, 0444, false},
      {"owner read-only", file(0400), false, 0400, false},
      {"a link to a private file", link(0600), true, 0600, true},
      {"a link to a missing file", link(std::nullopt), true, 0644, true},
      {"a link to a read-only file", link(0444), false, 0444, true},
      {"a loop of links",
       [](const fs::path& f, const fs::path& target) {
         fs::create_symlink(target.filename(), f);
         fs::create_symlink(f.filename(), target);
       },
       false, 0, true},
  };
  const mode_t oldMask = ::umask(022);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path folder = home.root() / "replace";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path f = folder / "f.txt", target = folder / "target.txt";
    c.prepare(f, target);
    EXPECT_EQ(platform::WriteFileAtomically(f, "new"), c.written);
    EXPECT_EQ(fs::is_symlink(f), c.viaLink);
    EXPECT_EQ(platform::IsReadOnlyFile(f), c.mode == 0444 || c.mode == 0400);
    const fs::path holder = c.viaLink ? target : f;
    if (c.mode) {
      EXPECT_EQ(ModeOf(holder), c.mode);
      ::chmod(holder.c_str(), 0600);
      EXPECT_EQ(ReadAll(holder), c.written ? "new" : "old");
    }
    for (const auto& entry : fs::directory_iterator(folder))
      EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
  }
  ::umask(oldMask);
}

// Names and values of any bytes: each written name finds itself again (so a
// second write replaces rather than appends), and no value adds a line.
TEST_F(IniTest, NamesAndValuesSurviveAnyBytes) {
  struct Case {
    const char* what;
    std::string section, key, value, readBack;
  };
  const std::string app = G("澜舟雅集");
  const Case cases[] = {
      {"trail ] in section", "\xEE\x5D", "k", "v", "v"},
      {"trail ] in section and key", "\x81\x5D", "\x81\x5D", "v", "v"},
      {"trail [ in section and key", "a\x81\x5B", "\x81\x5B" "b", "v", "v"},
      {"lone lead byte ending the names", "S\x81", "k\xFE", "v", "v"},
      {"lone lead byte ending the value", app, "k", "v\x81", "v\x81"},
      {"lead byte before a line feed", app, "k", "\x81\n[" + app + "]\x81\nInjected=yes",
       "\x81 [" + app + "]\x81 Injected=yes"},
      {"lead byte before a zero byte", app, "k", std::string("\x81\0Injected=yes", 14), "\x81 Injected=yes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteAll(file, "[Other]\r\nx=1\r\n");
    ASSERT_TRUE(WriteProfileString(c.section, c.key, "first", file));
    ASSERT_TRUE(WriteProfileString(c.section, c.key, c.value, file));
    EXPECT_EQ(ReadProfileString(c.section, c.key, "none", file), c.readBack);
    EXPECT_EQ(ReadProfileString(app, "Injected", "none", file), "none");
    EXPECT_EQ(ReadProfileString("Other", "x", "", file), "1");
    const std::string text = ReadAll(file);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << text;
  }
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

// The shared temporary folder's per-user folder is only used when it is a
// real folder of this user that nobody else can enter.
TEST(SettingsFolders, TheTemporaryFolderIsPrivate) {
  TestHome home;
  const std::filesystem::path tmp = home.root() / "systmp";
  const std::filesystem::path usual = tmp / ("lanzhou-" + std::to_string(::getuid()));
  const std::filesystem::path elsewhere = home.root() / "elsewhere";
  struct Case {
    const char* what;
    std::function<void()> prepare;
    bool usualKept;
  };
  const Case cases[] = {
      {"missing", [] {}, true},
      {"ours and private", [&] { std::filesystem::create_directory(usual), ::chmod(usual.c_str(), 0700); }, true},
      {"a link to another folder", [&] { std::filesystem::create_directory_symlink(elsewhere, usual); }, false},
      {"open to everyone", [&] { std::filesystem::create_directory(usual), ::chmod(usual.c_str(), 0777); }, false},
      {"a file", [&] { WriteAll(usual, "x"); }, false},
      {"another user's", [&] {
         std::filesystem::create_directory(usual), ::chmod(usual.c_str(), 0700);
         // Without the right to give it away, a folder others may read stands in.
         if (::chown(usual.c_str(), 65534, 65534) != 0) ::chmod(usual.c_str(), 0750);
       }, false},
  };
  ScopedEnv noHome(platform::kHomeVariable, nullptr), noRuntime("XDG_RUNTIME_DIR", nullptr),
      tmpdir("TMPDIR", tmp.c_str());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(tmp);
    std::filesystem::remove_all(elsewhere);
    std::filesystem::create_directories(tmp);
    std::filesystem::create_directories(elsewhere);
    c.prepare();
    std::filesystem::path got = platform::TempRoot();
    struct stat st {};
    ASSERT_EQ(::lstat(got.parent_path().c_str(), &st), 0) << got;
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_uid, ::geteuid());
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(got.parent_path() == usual, c.usualKept) << got;
    EXPECT_EQ(got, platform::TempRoot());
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere));
  }
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
