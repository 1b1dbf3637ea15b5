// The favourites file: every change as initial bytes -> final bytes, the
// file name built from typed texts, unreadable files, a file-size limit
// mid-write, and the export columns.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <optional>
#include <string>

#include "analysis/favourites.h"
#include "engine/char_tables.h"
#include "platform/gbk.h"
#include "support/core/test_home.h"

using analysis::FavouritesChange;
using gbk::G;
using testing_support::ReadAll;
using testing_support::WriteAll;

namespace {

enum class Op { Add, Remove, Clear };

struct FileCase {
  std::optional<std::string> before;  // nothing: no file
  Op op;
  std::string name;
  FavouritesChange result;
  std::optional<std::string> after;
};

class FavouritesFileTest : public ::testing::TestWithParam<FileCase> {
 protected:
  testing_support::TestHome home_;
};

TEST_P(FavouritesFileTest, Change) {
  const FileCase& c = GetParam();
  const auto file = home_.root() / "list.txt";
  if (c.before) WriteAll(file, *c.before);
  FavouritesChange result = c.op == Op::Add      ? analysis::AddNameToFavourites(file, c.name)
                            : c.op == Op::Remove ? analysis::RemoveNameFromFavourites(file, c.name)
                                                 : analysis::ClearFavourites(file);
  EXPECT_EQ(result, c.result);
  ASSERT_EQ(std::filesystem::exists(file), c.after.has_value());
  if (c.after) EXPECT_EQ(ReadAll(file), *c.after);
}

const std::string kHc = G("禾川"), kC = G("川");

INSTANTIATE_TEST_SUITE_P(
    Rows, FavouritesFileTest,
    ::testing::Values(FileCase{std::nullopt, Op::Add, kHc, FavouritesChange::Done, kHc + "\r\n"},
                      FileCase{"a\r\n" + kHc + "\r\n", Op::Add, kHc, FavouritesChange::AlreadyPresent,
                               "a\r\n" + kHc + "\r\n"},
                      // part of a listed name is another name
                      FileCase{kHc + "\r\n", Op::Add, kC, FavouritesChange::Done, kHc + "\r\n" + kC + "\r\n"},
                      // a last line without its line end
                      FileCase{"abc", Op::Add, "def", FavouritesChange::Done, "abc\r\ndef\r\n"},
                      FileCase{"abc", Op::Add, "abc", FavouritesChange::AlreadyPresent, "abc"},
                      FileCase{"a\r\n", Op::Add, "", FavouritesChange::Refused, "a\r\n"},
                      FileCase{std::nullopt, Op::Add, "a\r\nb", FavouritesChange::Refused, std::nullopt},
                      FileCase{std::nullopt, Op::Add, std::string("a\0b", 3), FavouritesChange::Refused,
                               std::nullopt},
                      // remove: exact lines only, all of them, others byte for byte
                      FileCase{kHc + "\r\n" + kC + "\r\n\r\nx\r\n" + kC + "\r\n", Op::Remove, kC,
                               FavouritesChange::Done, kHc + "\r\n\r\nx\r\n"},
                      FileCase{"a\r\nb", Op::Remove, "b", FavouritesChange::Done, "a\r\n"},
                      FileCase{std::nullopt, Op::Remove, "a", FavouritesChange::Done, std::nullopt},
                      FileCase{"a\r\n", Op::Clear, "", FavouritesChange::Done, ""}),
    [](const ::testing::TestParamInfo<FileCase>& info) { return "Row" + std::to_string(info.index); });

TEST(FavouritesFile, ReadSplitsAtLineEnds) {
  testing_support::TestHome home;
  const auto file = home.root() / "list.txt";
  EXPECT_TRUE(analysis::ReadFavourites(file).ok);
  WriteAll(file, "a\r\n\r\nb\r\n");
  EXPECT_EQ(analysis::ReadFavourites(file).names, (std::vector<std::string>{"a", "", "b"}));
}

TEST(FavouritesFile, AFolderInPlaceOfTheFileIsNeverTakenForAnEmptyList) {
  testing_support::TestHome home;
  const auto file = home.root() / "list.txt";
  std::filesystem::create_directory(file);
  WriteAll(file / "inside", "keep");
  EXPECT_FALSE(analysis::ReadFavourites(file).ok);
  EXPECT_EQ(analysis::AddNameToFavourites(file, "a"), FavouritesChange::ReadFailed);
  EXPECT_EQ(analysis::RemoveNameFromFavourites(file, "a"), FavouritesChange::ReadFailed);
  EXPECT_EQ(analysis::ClearFavourites(file), FavouritesChange::ReadFailed);
  EXPECT_EQ(ReadAll(file / "inside"), "keep");
}

// Shown as an empty list with a message, an unreadable list must not be
// emptied by 清空 either.
TEST(FavouritesFile, AnUnreadableListIsNeverCleared) {
  testing_support::TestHome home;
  const auto shared = home.root() / "shared";
  std::filesystem::create_directories(shared);
  ::chmod(home.root().c_str(), 0755);
  ::chmod(shared.c_str(), 0777);
  const auto file = shared / "list.txt";
  WriteAll(file, "a\r\nb\r\n");
  ::chmod(file.c_str(), 0);
  EXPECT_TRUE(testing_support::AsOrdinaryUser(
      [&] { return analysis::ClearFavourites(file) == FavouritesChange::ReadFailed; }));
  ::chmod(file.c_str(), 0600);
  EXPECT_EQ(ReadAll(file), "a\r\nb\r\n");
}

TEST(FavouritesFileDeathTest, AFileSizeLimitFailsTheWriteAndLeavesTheOldList) {
  testing_support::TestHome home;
  const auto file = home.root() / "list.txt";
  std::string old;
  for (int i = 0; i < 30; ++i) old += G("禾川") + std::to_string(i) + "\r\n";
  WriteAll(file, old);
  // Past 64 bytes a write meets the limit: the process must live on and see
  // the write fail; an in-place write would already have cut the file.
  auto addUnderLimit = [&file] {
    rlimit limit{64, 64};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::_Exit(analysis::AddNameToFavourites(file, "new") == FavouritesChange::WriteFailed ? 0 : 1);
  };
  EXPECT_EXIT(addUnderLimit(), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadAll(file), old);
  for (const auto& entry : std::filesystem::directory_iterator(home.root()))
    EXPECT_EQ(entry.path().filename(), "list.txt");
}

struct PathCase {
  std::string prefix, suffix, fileName;  // UTF-8 file name
};

class FavouritesPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(FavouritesPathTest, StaysInItsFolder) {
  const PathCase& c = GetParam();
  const std::filesystem::path dir = "/data/app/";
  const auto path = analysis::FavouritesFilePath(dir, c.prefix, c.suffix);
  EXPECT_EQ(path.parent_path(), dir.parent_path());
  EXPECT_EQ(path.filename().string(), c.fileName);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FavouritesPathTest,
    ::testing::Values(PathCase{G("临江"), G("软件有限公司"), "软件有限公司_临江__Name.txt"},
                      PathCase{"", "", "___Name.txt"}, PathCase{"../x", "a/b", "a%2Fb_..%2Fx__Name.txt"},
                      PathCase{"a%2Fb", "..\\", "..%5C_a%252Fb__Name.txt"},
                      PathCase{std::string("a\nb\x01", 4), "", "_a%0Ab%01__Name.txt"},
                      // a two-byte character whose trail byte is "\" stays whole
                      PathCase{G("镕"), "", "_镕__Name.txt"},
                      // bytes that make no character never join the "_" or a "/"
                      PathCase{"\x80\x81", "", "_%80%81__Name.txt"},
                      PathCase{"", "\x80\x81", "%80%81___Name.txt"},
                      PathCase{"\x80/x", "", "_%80%2Fx__Name.txt"}),
    [](const ::testing::TestParamInfo<PathCase>& info) { return "Row" + std::to_string(info.index); });

struct ExportCase {
  std::vector<std::string> names;
  bool attributes;
  std::vector<size_t> widths;  // of the first line's columns; empty: names only
};

class ExportTest : public ::testing::TestWithParam<ExportCase> {
 protected:
  void SetUp() override { engine::SetKangxiOverrides(G("禾-5/川-3/")); }
  void TearDown() override { engine::SetKangxiOverrides(""); }
};

TEST_P(ExportTest, Columns) {
  const ExportCase& c = GetParam();
  const std::string text = analysis::ExportText(c.names, c.attributes);
  if (!c.attributes) {
    std::string expected;
    for (const auto& n : c.names) expected += n + "\r\n";
    EXPECT_EQ(text, expected);
    return;
  }
  // Every line has the widths of the first: the second name's columns start
  // at the same offsets.
  size_t lineStart = 0;
  for (const std::string& name : c.names) {
    size_t at = lineStart;
    EXPECT_EQ(text.compare(at, name.size(), name), 0);
    for (size_t w : c.widths) at += w;
    size_t end = text.find("\r\n", lineStart);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(end, at) << gbk::ToUtf8(name);
    lineStart = end + 2;
  }
  // One line per name and nothing after the last: an empty list exports an
  // empty text.
  EXPECT_EQ(lineStart, text.size());
}

INSTANTIATE_TEST_SUITE_P(Rows, ExportTest,
                         ::testing::Values(ExportCase{{G("禾川禾川"), G("禾川")}, true, {10, 30, 26, 26, 26}},
                                           ExportCase{{G("禾川"), G("川")}, true, {10, 24, 20, 20, 20}},
                                           ExportCase{{G("禾川"), G("川")}, false, {}},
                                           ExportCase{{}, true, {}}),
                         [](const ::testing::TestParamInfo<ExportCase>& info) {
                           return "Row" + std::to_string(info.index);
                         });

TEST(Export, ADamagedEntryStaysOneLine) {
  const std::string damaged = "\n123456789\r";
  EXPECT_EQ(analysis::ExportText({damaged}, false), "123456789\r\n");
  const std::string line = analysis::ExportText({damaged}, true);
  EXPECT_TRUE(line.starts_with("123456789 ")) << line;
  EXPECT_EQ(line.find_first_of("\r\n"), line.size() - 2) << line;
}

TEST(Export, AnOverflowingColumnIsWrittenWhole) {
  EXPECT_EQ(analysis::PadText("abc", 5), "abc  ");
  EXPECT_EQ(analysis::PadText("abcdef", 5), "abcdef");
  const std::string five = G("禾川禾川禾");  // 10 bytes: pinyin text far over 24
  const std::string line = analysis::ExportText({five}, true);
  EXPECT_TRUE(line.starts_with(five + G("禾(he)川(chuan)禾(he)川(chuan)禾(he)禾(5)"))) << gbk::ToUtf8(line);
}

}  // namespace
