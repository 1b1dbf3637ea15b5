#pragma once
// The updater's work, without its window: read the instructions the main
// program left, download the new program, check it against the SHA-256
// digest the site publishes beside it, and put it in place of the installed
// program once that has ended. Nothing but a verified download ever
// replaces the installed program, and every failure leaves it as it was.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

namespace online {

// The installed program's file name in its folder.
inline constexpr const char* kProgramFileName = "lanzhou";
// The updater's file name beside it.
inline constexpr const char* kUpdaterFileName = "lanzhou-updater";

// Section "软件升级" of the instruction file (GBK texts).
struct UpdaterInstructions {
  std::string windowTitle;  // "窗口标题"
  std::string folder;       // "文件保存": the program's folder, ending in "/"
  std::string remoteFile;   // "远程文件": the new program's address
};

UpdaterInstructions ReadUpdaterInstructions(const std::filesystem::path& file);

// The lower-case hex SHA-256 digest of `bytes`.
std::string Sha256Hex(std::string_view bytes);

// The digest in a published ".sha256" text: its first word, when that is 64
// hex digits (as "sha256sum" writes it), in lower case.
std::optional<std::string> ParsePublishedDigest(std::string_view text);

// Writes `bytes` beside `target` with `target`'s permissions, flushes it to
// the disk and renames it over `target`. On failure `target` is untouched
// and no file is left behind.
bool ReplaceFileAtomically(const std::filesystem::path& target, std::string_view bytes);

struct UpdaterEvents {
  // Download progress: bytes received, bytes expected (0 while unknown).
  std::function<void(std::int64_t received, std::int64_t expected)> progress;
  // What the updater is doing now (GBK), for its window.
  std::function<void(std::string_view stepGbk)> step;
  // Waits until the main program has ended; false when it did not end.
  std::function<bool()> waitForProgramEnd;
};

struct UpdateOutcome {
  bool installed = false;
  std::string message;  // GBK: what was done or what failed
};

// The whole update, run on a worker thread.
UpdateOutcome RunUpdate(const UpdaterInstructions& instructions, const UpdaterEvents& events,
                        std::stop_token stop = {});

}  // namespace online
