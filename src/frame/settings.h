#pragma once
// The data directory and the settings file.
//
// The data directory is the per-user "Tarvel" folder; when it cannot be
// written, a "3d" folder in the config root. The settings file is
// "Dizezorivo.p" in the data directory, or "Quorvale.txt" in the config root
// (which stands in for the system folder) when the data directory cannot be
// written. Settings are kept in one INI section named after the program.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/ini.h"

namespace frame {

// GBK text of the notice file, CR LF ended.
std::string NoticeText();

std::filesystem::path GetDataDirectory();
std::filesystem::path GetFallbackDataDirectory();
std::filesystem::path GetSettingsFilePath();
std::filesystem::path GetFallbackSettingsFilePath();

// Folder codes: 11 the private temporary folder, 10 the system folder and 9
// the Windows folder (both the config root here), 3 the desktop, 2 the
// favourites. Paths end in "/".
std::filesystem::path GetSpecialFolderPath(int code);
std::filesystem::path GetTempDirectory();

// Appends "/" unless the text already ends in one ("" gives "/").
std::string EnsureTrailingSlash(std::string path);

// Reads a key of the program's section from the settings file (GBK key and
// value). Empty key or no settings file path gives the empty text.
std::string ReadSetting(std::string_view key, std::string_view defaultValue);
// Writes a key; returns false when the write failed (the old value stays).
bool WriteSetting(std::string_view key, std::string_view value);
// Writes several keys with one rewrite of the file, in order (listeners are
// told of each); false when the write failed (the old values stay).
bool WriteSettings(const platform::ProfileEntries& entries);
// Tells the user (on the GUI thread) that the settings could not be saved:
// once, until a write succeeds again.
void ReportSettingsNotSaved();
// Reads a number: decimal text, full-width digits accepted, anything else 0.
int ReadSettingNumber(std::string_view key, int defaultValue);

// Listeners told after every successful WriteSetting (on the writing
// thread), so that open windows can keep their controls in step.
using SettingsListener = std::function<void(const std::string& key, const std::string& value)>;
int AddSettingsListener(SettingsListener listener);
void RemoveSettingsListener(int id);

}  // namespace frame
