#include "frame/settings.h"

#include <atomic>
#include <cstdlib>
#include <map>
#include <mutex>

#include "frame/globals.h"
#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/gbk.h"
#include "platform/ini.h"

namespace frame {
namespace {

bool WriteNoticeFile(const std::filesystem::path& folder) {
  return platform::WriteFileAtomically(folder / "用户注意.txt", NoticeText());
}

std::mutex g_listenersMutex;
std::map<int, SettingsListener>& Listeners() {
  static std::map<int, SettingsListener> l;
  return l;
}
int g_nextListener = 1;

// Whether the last failed save has been reported; a good write clears it.
std::atomic<bool> g_failureReported{false};

}  // namespace

std::string NoticeText() {
  return gbk::G("本目录为数据保存目录,用户请勿手动修改或删除本目录下任何文件,以免相应的软件运行出错") + "\r\n";
}

std::filesystem::path GetDataDirectory() {
  std::filesystem::path root = platform::DataRoot();
  platform::EnsureFolder(root);
  if (WriteNoticeFile(root)) return root;
  return GetFallbackDataDirectory();
}

std::filesystem::path GetFallbackDataDirectory() {
  std::filesystem::path dir = GetSpecialFolderPath(9) / "3d" / "";
  platform::EnsureFolder(dir);
  return dir;
}

std::filesystem::path GetSettingsFilePath() {
  std::filesystem::path root = platform::DataRoot();
  platform::EnsureFolder(root);
  if (WriteNoticeFile(root)) return GetDataDirectory() / "Dizezorivo.p";
  return GetFallbackSettingsFilePath();
}

std::filesystem::path GetFallbackSettingsFilePath() { return GetSpecialFolderPath(10) / "Quorvale.txt"; }

std::filesystem::path GetSpecialFolderPath(int code) {
  switch (code) {
    case 11:
      return GetTempDirectory();
    case 10:
    case 9: {
      std::filesystem::path p = platform::ConfigRoot();
      platform::EnsureFolder(p);
      return p;
    }
    case 3: {
      const char* home = std::getenv("HOME");
      return std::filesystem::path(home ? home : "/") / "Desktop" / "";
    }
    default: {
      std::filesystem::path p = platform::ConfigRoot() / "favourites" / "";
      return p;
    }
  }
}

std::filesystem::path GetTempDirectory() { return platform::TempRoot(); }

std::string EnsureTrailingSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string ReadSetting(std::string_view key, std::string_view defaultValue) {
  const Globals& g = globals();
  if (g.settingsFilePath.empty() || key.empty()) return {};
  return platform::ReadProfileString(g.appName, key, defaultValue, g.settingsFilePath);
}

bool WriteSetting(std::string_view key, std::string_view value) {
  return WriteSettings({{std::string(key), std::string(value)}});
}

bool WriteSettings(const platform::ProfileEntries& entries) {
  const Globals& g = globals();
  if (g.settingsFilePath.empty()) return false;
  for (const auto& e : entries)
    if (e.first.empty()) return false;
  if (!platform::WriteProfileStrings(g.appName, entries, g.settingsFilePath)) return false;
  g_failureReported = false;
  std::vector<SettingsListener> copy;
  {
    std::lock_guard l(g_listenersMutex);
    for (auto& [id, f] : Listeners()) copy.push_back(f);
  }
  for (const auto& [k, v] : entries)
    for (auto& f : copy) f(k, v);
  return true;
}

void ReportSettingsNotSaved() {
  if (g_failureReported.exchange(true)) return;
  const std::filesystem::path& file = globals().settingsFilePath;
  const std::string note = platform::WriteFailureNote(file);
  platform::ShowMessageBox(
      gbk::G("本次的输入无法保存，下次启动时不会恢复。\r\n设置文件：") + gbk::FromUtf8(file.string()) +
          (note.empty() ? gbk::G("\r\n请检查磁盘是否已满，以及这个文件夹能否写入。") : note),
      gbk::G("提示"), platform::kOkInformation);
}

int ReadSettingNumber(std::string_view key, int defaultValue) {
  std::string v = ReadSetting(key, std::to_string(defaultValue));
  return static_cast<int>(gbk::ParseDecimal(v));
}

int AddSettingsListener(SettingsListener listener) {
  std::lock_guard l(g_listenersMutex);
  int id = g_nextListener++;
  Listeners()[id] = std::move(listener);
  return id;
}

void RemoveSettingsListener(int id) {
  std::lock_guard l(g_listenersMutex);
  Listeners().erase(id);
}

}  // namespace frame
