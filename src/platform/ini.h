#pragma once
// INI profile files as the program has always used them: one or more
// "[section]" headers with "key=value" lines, GBK bytes, CR LF line ends.
//
// - A missing file, section or key gives the default; a present empty value
//   gives the empty text.
// - Section and key names compare without regard to ASCII letter case.
// - Blanks around keys and values are dropped; a value wrapped in a pair of
//   double quotes loses them.
// - A write keeps every other section and key, creates the file and the
//   section when missing, and replaces the file atomically.
// - A file is read once and kept parsed; it is read again only when its
//   size, modification time or identity on disk changed.
// - Line breaks and zero bytes in a written value become blanks, and "[",
//   "]", "=" and lone lead bytes are kept out of keys and section names (the
//   same cleaning applies to the names a read looks up), so no value can add
//   lines of its own and every name finds itself again. A lead byte followed
//   by anything but a trail byte counts as one byte.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

std::string ReadProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                              const std::filesystem::path& file);

// Returns false when the file could not be written, or when it exists but
// could not be read; the old file is then left as it was. The file is
// replaced as WriteFileAtomically does.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::filesystem::path& file);

// Writes several keys of one section in one read-modify-write: what
// WriteProfileString does for each, done once. A key given twice keeps its
// last value.
using ProfileEntries = std::vector<std::pair<std::string, std::string>>;
bool WriteProfileStrings(std::string_view section, const ProfileEntries& entries, const std::filesystem::path& file);

// Reads from INI text already in memory (the same rules as the file read).
std::string ReadProfileStringFromText(std::string_view text, std::string_view section, std::string_view key,
                                      std::string_view defaultValue);

// Reads several keys of one section in one pass over the text: a key that
// is missing (or empty) gives nothing.
std::vector<std::optional<std::string>> ReadProfileStringsFromText(std::string_view text, std::string_view section,
                                                                   const std::vector<std::string_view>& keys);

// Reads a whole file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& file, bool* ok = nullptr);

// Reads a file that is about to be rewritten: true with its bytes, or with
// no bytes when the file is missing; false when it exists but could not be
// read, in which case it must not be replaced.
bool ReadFileForRewrite(const std::filesystem::path& file, std::string* bytes);

// Writes bytes to a temporary file beside `file`, then renames it over
// `file`, so a failed write never leaves half a file, nor the temporary one.
// - A symbolic link is written through: its target gets the bytes.
// - A replaced file keeps its mode when its owner may read and write it;
//   otherwise the new file gets the usual mode.
// - A read-only file (its owner may read but not write it) is never
//   replaced: false.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// True for a file (or a link's target) marked read-only, as above.
bool IsReadOnlyFile(const std::filesystem::path& file);
// To end a message about a failed write: a line break and a sentence (GBK)
// saying that the file is read-only, or the empty text when it is not.
std::string WriteFailureNote(const std::filesystem::path& file);

// Writes all of `bytes` to an open descriptor, going on after interrupted
// and partial writes; false when a write fails.
bool WriteAllTo(int fd, std::string_view bytes);

// A file-size limit below a write must not end the program: SIGXFSZ is
// ignored (unless a handler is installed), so the write fails with EFBIG
// like any other. Called by every write here, and at start-up.
void IgnoreFileSizeSignal();

}  // namespace platform
