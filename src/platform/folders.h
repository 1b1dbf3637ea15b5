#pragma once
// Where the program keeps its files on this system.
//
//   data root   - the per-user data folder: $XDG_DATA_HOME (or ~/.local/share)
//                 + "/Tarvel/"
//   config root - the per-user folder that stands in for the system folders:
//                 $XDG_CONFIG_HOME (or ~/.config) + "/lanzhou/"
//   temp root   - a private temporary folder: "lanzhou" in $XDG_RUNTIME_DIR,
//                 or "lanzhou-<uid>" in the system's temporary folder; used
//                 only when it is a real folder of this user, mode 0700 (a
//                 link there is never followed), else a fresh one made beside
//                 it for the run.
//
// LANZHOU_HOME moves all three below one folder (data/Tarvel/, config/,
// tmp/), which the tests use to keep every run apart.
#include <filesystem>

namespace platform {

inline constexpr const char* kHomeVariable = "LANZHOU_HOME";

std::filesystem::path DataRoot();
std::filesystem::path ConfigRoot();
std::filesystem::path TempRoot();

// Creates a folder and its parents; an existing folder is no error.
bool EnsureFolder(const std::filesystem::path& folder);

}  // namespace platform
