#include "analysis/favourites.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

enum class ReadResult { Ok, Missing, Failed };

// Only a missing file is an empty list; any other failure (no permission, a
// folder in its place, an I/O error) must keep the caller from writing.
ReadResult ReadExisting(const std::filesystem::path& file, std::string& bytes) {
  bytes.clear();
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return ReadResult::Failed;
  }
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return ReadResult::Failed;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return ReadResult::Ok;
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
  ReadResult read = ReadExisting(file, bytes);
  list.ok = read != ReadResult::Failed;
  if (read == ReadResult::Ok) list.names = SplitNameLines(bytes);
  return list;
}

FavouritesChange AddNameToFavourites(const std::filesystem::path& file, std::string_view name) {
  if (name.empty() || name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
    return FavouritesChange::Refused;
  std::string text;
  if (ReadExisting(file, text) == ReadResult::Failed) return FavouritesChange::ReadFailed;
  if (HasLine(text, name)) return FavouritesChange::AlreadyPresent;
  // A last line without its line end would otherwise run into the new name.
  if (!text.empty() && !text.ends_with("\r\n")) text += "\r\n";
  text.append(name);
  text += "\r\n";
  return platform::WriteFileAtomically(file, text) ? FavouritesChange::Done : FavouritesChange::WriteFailed;
}

FavouritesChange RemoveNameFromFavourites(const std::filesystem::path& file, std::string_view name) {
  std::string text;
  ReadResult read = ReadExisting(file, text);
  if (read == ReadResult::Failed) return FavouritesChange::ReadFailed;
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
  const size_t w = !names.empty() && names.front().size() == 8 ? 26 : 20;
  std::string out;
  for (const std::string& name : names) {
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
  return gbk::G("无法写入文件：") + path;
}

}  // namespace analysis
