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

// The program speaks Chinese whatever the session's language: Qt's own texts
// (edit menus, print dialogs, the web engine's dialogs) and the language the
// web engine asks pages in. Call after the application object exists and
// before the first web view.
void UseChineseTexts();

}  // namespace platform
