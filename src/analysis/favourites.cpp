#include "analysis/favourites.h"

#include "analysis/name_pages.h"
#include "platform/gbk.h"
#include "platform/ini.h"

namespace analysis {

namespace {

// A typed prefix or suffix as part of a file name. A two-byte character
// stays whole, even when its trail byte is "\".
std::string SafeNamePart(std::string_view text) {
  return gbk::PercentEncode(
      text, [](unsigned char c) { return c != '/' && c != '\\' && c != '%' && c >= 0x20 && c < 0x7F; }, true);
}

bool HasLine(std::string_view text, std::string_view name) {
  for (const std::string& line : SplitNameLines(text))
    if (line == name) return true;
  return false;
}

}  // namespace

std::filesystem::path FavouritesFilePath(const std::filesystem::path& pageDirectory, std::string_view prefix,
                                         std::string_view suffix) {
  std::string name = SafeNamePart(suffix) + "_" + SafeNamePart(prefix) + "__Name.txt";
  return pageDirectory / gbk::ToUtf8(name);
}

FavouritesList ReadFavourites(const std::filesystem::path& file) {
  FavouritesList list;
  std::string bytes;
  list.ok = platform::ReadFileForRewrite(file, &bytes);
  if (list.ok) list.names = SplitNameLines(bytes);
  return list;
}

FavouritesChange AddNameToFavourites(const std::filesystem::path& file, std::string_view name) {
  if (name.empty() || name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
    return FavouritesChange::Refused;
  // Only a missing file is an empty list; a list that exists but cannot be
  // read must not be written over.
  std::string text;
  if (!platform::ReadFileForRewrite(file, &text)) return FavouritesChange::ReadFailed;
  if (HasLine(text, name)) return FavouritesChange::AlreadyPresent;
  // A last line without its line end would otherwise run into the new name.
  if (!text.empty() && !text.ends_with("\r\n")) text += "\r\n";
  text.append(name);
  text += "\r\n";
  return platform::WriteFileAtomically(file, text) ? FavouritesChange::Done : FavouritesChange::WriteFailed;
}

FavouritesChange RemoveNameFromFavourites(const std::filesystem::path& file, std::string_view name) {
  std::string text;
  if (!platform::ReadFileForRewrite(file, &text)) return FavouritesChange::ReadFailed;
  std::string kept;
  kept.reserve(text.size());
  bool removed = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    size_t next = end == std::string::npos ? text.size() : end + 2;
    if (std::string_view(text).substr(start, (end == std::string::npos ? text.size() : end) - start) == name)
      removed = true;
    else
      kept.append(text, start, next - start);
    start = next;
  }
  if (!removed) return FavouritesChange::Done;
  return platform::WriteFileAtomically(file, kept) ? FavouritesChange::Done : FavouritesChange::WriteFailed;
}

FavouritesChange ClearFavourites(const std::filesystem::path& file) {
  // A list that could not be read was shown empty: clearing it would lose
  // names the user never saw.
  std::string text;
  if (!platform::ReadFileForRewrite(file, &text)) return FavouritesChange::ReadFailed;
  return platform::WriteFileAtomically(file, "") ? FavouritesChange::Done : FavouritesChange::WriteFailed;
}

std::filesystem::path ExportFilePath(const std::filesystem::path& pageDirectory) {
  return pageDirectory / "导出列表.txt";
}

std::string PadText(std::string_view text, size_t width) {
  std::string out(text);
  if (out.size() < width) out.append(width - out.size(), ' ');
  return out;
}

std::string ExportText(const std::vector<std::string>& names, bool withAttributes) {
  // A damaged file can hold a lone CR or LF inside an entry: the export
  // keeps one line per name all the same.
  auto oneLine = [](const std::string& entry) {
    std::string name;
    for (char c : entry)
      if (c != '\r' && c != '\n') name += c;
    return name;
  };
  const size_t w = !names.empty() && oneLine(names.front()).size() == 8 ? 26 : 20;
  std::string out;
  for (const std::string& entry : names) {
    const std::string name = oneLine(entry);
    if (!withAttributes) {
      out += name + "\r\n";
      continue;
    }
    const NameAttributeTexts t = AttributeTextsOf(name, false);
    out += PadText(name, 10) + PadText(t.pinyin, w + 4) + PadText(t.simplified, w) + PadText(t.kangxi, w) +
           PadText(t.elements, w) + "\r\n";
  }
  return out;
}

std::string FavouritesFailureText(FavouritesChange change, const std::filesystem::path& file) {
  const std::string path = gbk::FromUtf8(file.string());
  if (change == FavouritesChange::ReadFailed)
    return gbk::G("无法读取自选列表文件，为免丢失其中的名称，本次未做修改：") + path;
  return gbk::G("无法写入文件：") + path + platform::WriteFailureNote(file);
}

}  // namespace analysis
