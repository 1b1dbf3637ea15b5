#include "platform/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
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
  std::filesystem::path dir;
  if (!moved.empty()) {
    dir = moved / "tmp" / "";
  } else {
    auto runtime = FromEnv("XDG_RUNTIME_DIR");
    if (!runtime.empty()) {
      dir = runtime / "lanzhou" / "";
    } else {
      dir = std::filesystem::temp_directory_path() / ("lanzhou-" + std::to_string(::getuid())) / "";
    }
  }
  EnsureFolder(dir);
  ::chmod(dir.c_str(), 0700);
  return dir;
}

}  // namespace platform
