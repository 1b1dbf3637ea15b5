#pragma once
// The updater's work, without its window: read the instructions the main
// program left, fetch the digest and the signature the site publishes beside
// the new program, stream the download to a file beside the installed
// program, and put it in place once the main program has ended. Only a
// download whose SHA-256 digest matches and whose Ed25519 signature verifies
// with the key built into this program ever replaces the installed program;
// every failure leaves it as it was, with no file left behind.
#include <chrono>
#include <cstddef>
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

// Section "软件升级" of the instruction file (GBK texts).
struct UpdaterInstructions {
  std::string windowTitle;  // "窗口标题"
  std::string folder;       // "文件保存": the program's folder, ending in "/"
  std::string remoteFile;   // "远程文件": the new program's address
};

UpdaterInstructions ReadUpdaterInstructions(const std::filesystem::path& file);

// The address of a file the site publishes beside a download: `suffix`
// (".sha256", ".sig") follows the path, before any "?query" or "#fragment".
std::string PublishedFileAddress(std::string_view download, std::string_view suffix);

// The lower-case hex SHA-256 digest of `bytes`.
std::string Sha256Hex(std::string_view bytes);

// The digest in a published ".sha256" text: its first word, when that is 64
// hex digits (as "sha256sum" writes it), in lower case.
std::optional<std::string> ParsePublishedDigest(std::string_view text);

// The signature in a published ".sig" text: the base64 text of exactly 64
// bytes on one line (blanks and line ends around it are allowed).
std::optional<std::string> ParsePublishedSignature(std::string_view text);

// Whether `publicKeyPem` is an Ed25519 public key in PEM form.
bool IsUpdateKey(std::string_view publicKeyPem);

// Whether `signature` (64 bytes) is the Ed25519 signature of `bytes` by the
// private key that belongs to `publicKeyPem`.
bool VerifyUpdateSignature(std::string_view publicKeyPem, std::string_view bytes, std::string_view signature);

// How much the updater takes from the site, and for how long.
struct UpdateLimits {
  std::size_t maxDownloadBytes = std::size_t{512} << 20;
  // The ".sha256" and ".sig" texts are one line each.
  std::size_t maxPublishedTextBytes = 4096;
  // Slower than this for that long, a transfer is given up.
  long lowSpeedBytesPerSecond = 1024;
  std::chrono::seconds lowSpeedTime{30};
  std::chrono::milliseconds connectTimeout{15000};
  std::chrono::milliseconds publishedTextTimeout{60000};
  std::chrono::milliseconds downloadTimeout{std::chrono::hours(2)};
};

struct UpdaterSetup {
  // Where the installed program lies: the updater's own folder.
  std::filesystem::path programFolder;
  // The public key (PEM) the releases are signed with, built into the
  // program; without one no update is ever installed.
  std::string publicKeyPem;
  UpdateLimits limits;
};

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
  bool cancelled = false;  // the user stopped it
  std::string message;     // GBK: what was done or what failed
};

// The whole update, run on a worker thread. A stop request ends it at once,
// as a cancelled update.
UpdateOutcome RunUpdate(const UpdaterInstructions& instructions, const UpdaterSetup& setup,
                        const UpdaterEvents& events, std::stop_token stop = {});

// The updater leaves the outcome in its section of the instruction file for
// the main program: an update that did not complete keeps its address
// ("失败地址"), so that the main program never forces it again at start-up,
// and, unless the user cancelled it, its message ("失败说明"), which the main
// program tells once. An installed update clears both.
bool RecordUpdateOutcome(const std::filesystem::path& file, const UpdaterInstructions& instructions,
                         const UpdateOutcome& outcome);

// The main program's side: the message of an update that did not complete
// (GBK), cleared as it is read so that it is told only once; empty when
// there is none.
std::string TakeUpdateFailureMessage(const std::filesystem::path& file);

// The address of the last update that did not complete (as "远程文件" held
// it), or the empty text.
std::string FailedUpdateAddress(const std::filesystem::path& file);

}  // namespace online
