#include "platform/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <system_error>

namespace platform {
namespace {

std::filesystem::path FromEnv(const char* name) {
  const char* v = std::getenv(name);
  if (v && *v) return std::filesystem::path(v);
  return {};
}

std::filesystem::path HomeFolder() {
  auto h = FromEnv("HOME");
  if (!h.empty()) return h;
  return std::filesystem::temp_directory_path();
}

// A real folder (a link is never followed) of this user that nobody else can
// enter.
bool IsPrivateFolder(const std::filesystem::path& dir) {
  struct stat st {};
  return ::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
         (st.st_mode & 0777) == 0700;
}

// `parent`/`name` when it is private or can be made so; otherwise (someone
// else made it, or put a link or a file there) a fresh folder beside it,
// made once per run. Other programs read what the program keeps there, so
// the folder must be ours alone.
std::filesystem::path PrivateFolder(const std::filesystem::path& parent, const std::string& name) {
  const std::filesystem::path dir = parent / name;
  if ((::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST) && IsPrivateFolder(dir)) return dir / "";
  static std::mutex m;
  static std::map<std::filesystem::path, std::filesystem::path> made;
  std::lock_guard lock(m);
  if (auto it = made.find(dir); it != made.end() && IsPrivateFolder(it->second)) return it->second / "";
  std::string tmpl = dir.string() + "-XXXXXX";
  if (::mkdtemp(tmpl.data()) && IsPrivateFolder(tmpl)) {
    made[dir] = tmpl;
    return std::filesystem::path(tmpl) / "";
  }
  // Nothing private can be made there: the per-user config folder instead.
  std::filesystem::path fallback = ConfigRoot() / "tmp";
  EnsureFolder(fallback);
  ::chmod(fallback.c_str(), 0700);
  return fallback / "";
}

}  // namespace

bool EnsureFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return std::filesystem::is_directory(folder, ec);
}

std::filesystem::path DataRoot() {
  auto moved = FromEnv(kHomeVariable);
  if (!moved.empty()) return moved / "data" / "Tarvel" / "";
  auto xdg = FromEnv("XDG_DATA_HOME");
  if (xdg.empty()) xdg = HomeFolder() / ".local" / "share";
  return xdg / "Tarvel" / "";
}

std::filesystem::path ConfigRoot() {
  auto moved = FromEnv(kHomeVariable);
  if (!moved.empty()) return moved / "config" / "";
  auto xdg = FromEnv("XDG_CONFIG_HOME");
  if (xdg.empty()) xdg = HomeFolder() / ".config";
  return xdg / "lanzhou" / "";
}

std::filesystem::path TempRoot() {
  auto moved = FromEnv(kHomeVariable);
  if (!moved.empty()) {
    std::filesystem::path dir = moved / "tmp" / "";
    EnsureFolder(dir);
    ::chmod(dir.c_str(), 0700);
    return dir;
  }
  auto runtime = FromEnv("XDG_RUNTIME_DIR");
  if (!runtime.empty()) return PrivateFolder(runtime, "lanzhou");
  std::error_code ec;
  std::filesystem::path tmp = std::filesystem::temp_directory_path(ec);
  if (ec) tmp = "/tmp";
  return PrivateFolder(tmp, "lanzhou-" + std::to_string(::getuid()));
}

}  // namespace platform
