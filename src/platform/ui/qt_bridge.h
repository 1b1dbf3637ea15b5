#pragma once
// The edge between GBK texts and Qt: widgets take QString, the program keeps
// GBK bytes.
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

QString Q(std::string_view gbk);
std::string FromQ(const QString& text);
QString PathToQ(const std::filesystem::path& path);

// Installs the real message boxes and the real outside-program launcher.
void InstallDesktopDialogs();

}  // namespace platform
