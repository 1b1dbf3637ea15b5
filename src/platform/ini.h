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
// - Line breaks in a written value become blanks, and "[", "]", "=" are kept
//   out of keys and section names, so no value can add lines of its own.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

std::string ReadProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                              const std::filesystem::path& file);

// Returns false when the file could not be written; the old file is then
// left as it was.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::filesystem::path& file);

// Reads from INI text already in memory (the same rules as the file read).
std::string ReadProfileStringFromText(std::string_view text, std::string_view section, std::string_view key,
                                      std::string_view defaultValue);

// Reads a whole file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::filesystem::path& file, bool* ok = nullptr);

// Writes bytes to a temporary file beside `file`, then renames it over
// `file`, so a failed write never leaves half a file.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace platform
