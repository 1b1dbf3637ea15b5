#pragma once
// The favourites list: one text file per pair of region prefix and industry
// suffix, GBK, one name per line, each line ended by CR LF, in the order
// added, no header. A missing file is an empty list.
//
// Every write replaces the file in one step, and a file that exists but
// cannot be read is never written over: the list it holds is not lost.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

// PageDirectory + suffix + "_" + prefix + "__Name.txt". "/", "\", "%" and
// control bytes of the typed texts become %XX, so they cannot lead out of
// the folder; ordinary prefixes and suffixes are kept as they are.
std::filesystem::path FavouritesFilePath(const std::filesystem::path& pageDirectory, std::string_view prefix,
                                         std::string_view suffix);

struct FavouritesList {
  bool ok = false;  // false: the file exists but could not be read
  std::vector<std::string> names;
};
FavouritesList ReadFavourites(const std::filesystem::path& file);

enum class FavouritesChange {
  Done,            // added, removed or cleared
  AlreadyPresent,  // add: a line already equals the name
  Refused,         // add: an empty name or one with a line break or zero byte
  ReadFailed,      // the file exists but could not be read; nothing written
  WriteFailed,     // the file could not be replaced; it is as it was
};

// Appends the name unless a line already equals it.
FavouritesChange AddNameToFavourites(const std::filesystem::path& file, std::string_view name);
// Removes every line equal to the name; the other lines stay byte for byte.
FavouritesChange RemoveNameFromFavourites(const std::filesystem::path& file, std::string_view name);
// Leaves an empty file; refused, as a change, when the list cannot be read.
FavouritesChange ClearFavourites(const std::filesystem::path& file);

// The export file: PageDirectory + "导出列表.txt".
std::filesystem::path ExportFilePath(const std::filesystem::path& pageDirectory);

// The text followed by blanks up to `width` bytes; a longer text unchanged.
std::string PadText(std::string_view text, size_t width);

// The export: one line per name ended by CR LF (a lone CR or LF inside an
// entry is left out); with attributes the name padded to 10, then the
// pinyin, simplified, Kangxi and element texts of the name page padded to
// w + 4, w, w, w, where w is 26 when the first name is four characters
// (8 bytes) long, else 20.
std::string ExportText(const std::vector<std::string>& names, bool withAttributes);

// The message for a failed change or export (GBK), naming the file.
std::string FavouritesFailureText(FavouritesChange change, const std::filesystem::path& file);

}  // namespace analysis
