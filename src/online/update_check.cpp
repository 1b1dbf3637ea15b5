#include "online/update_check.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "frame/globals.h"
#include "frame/settings.h"
#include "online/http.h"
#include "platform/dialogs.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "platform/web_address.h"

namespace online {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void Call(const std::function<void()>& hook) {
  if (hook) hook();
}

}  // namespace

std::optional<double> ParseVersionNumber(std::string_view text) {
  text = gbk::TrimAsciiBlanks(text);
  size_t i = 0;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i == 0) return std::nullopt;
  if (i < text.size() && text[i] == '.') {
    size_t fraction = ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == fraction) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  // The shape is checked above, so from_chars sees plain decimal digits only
  // and never reads "inf", "nan", hex or an exponent.
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool IsNewerVersion(std::string_view latest, std::string_view current) {
  double l = ParseVersionNumber(latest).value_or(0.0);
  double c = ParseVersionNumber(current).value_or(0.0);
  return l - c > 0.0000001;
}

std::filesystem::path UpdaterInstructionFile() { return frame::GetSpecialFolderPath(10) / "Quorvale.txt"; }

std::filesystem::path ProgramFolder() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return std::filesystem::current_path(ec) / "";
  return exe.parent_path() / "";
}

bool CheckForUpdate(std::string_view latestVersion, std::string_view currentVersion, std::string_view appName,
                    std::string_view downloadUrl, const UpdateWindowHooks& window, UpdateCheckMode mode,
                    bool forced, bool allowForced) {
  if (!allowForced) forced = false;
  const bool fromMenu = mode == UpdateCheckMode::kFromMenu;
  auto tell = [&](const char* textUtf8, const char* titleUtf8) {
    if (window.ask) window.ask(gbk::G(textUtf8), gbk::G(titleUtf8), platform::kOkInformation);
  };

  // A version that never arrived (or is no number) is unknown, not current.
  // The information file is read once, at start-up: trying the menu again
  // reads nothing new, so the message says what does.
  if (!ParseVersionNumber(latestVersion)) {
    if (fromMenu)
      tell("未能取得最新版本信息:程序启动时没能从网站读到。请检查网络连接,重新启动程序后再试。", "检测结果");
    return false;
  }
  if (!IsNewerVersion(latestVersion, currentVersion)) {
    if (fromMenu) tell("您的版本是最新的!", "检测结果");
    return false;
  }

  Call(window.minimise);
  if (!forced) {
    std::string question = gbk::G("网上最新的版本号为:V");
    question.append(latestVersion);
    question += gbk::G("\r\n您正使用的版本号为:V");
    question.append(currentVersion);
    question += gbk::G("\r\n\r\n是否更新?");
    int answer = window.ask ? window.ask(question, gbk::G("升级提示"), platform::kYesNo) : platform::kNo;
    if (answer != platform::kYes) {
      Call(window.restoreNormal);
      return false;
    }
  }

  auto refuse = [&](std::string message) {
    if (window.ask) window.ask(message, gbk::G("升级提示"), platform::kOkInformation);
    Call(window.restoreNormal);
    return false;
  };
  if (!platform::IsHttpAddress(downloadUrl))
    return refuse(gbk::G("网站提供的新版本下载地址无效,无法升级。请稍后再试,或从网站下载新版本。"));
  if (frame::globals().updateKey.empty())
    return refuse(gbk::G("这个版本的程序不能自动升级,请从网站下载新版本:\r\n") + std::string(downloadUrl));
  if (window.settleUnsavedEdits && !window.settleUnsavedEdits()) {
    Call(window.restoreNormal);
    return false;
  }

  // The updater runs only when its instructions are complete: a failure at
  // any step leaves the program running, with the address to fetch by hand.
  const std::filesystem::path file = UpdaterInstructionFile();
  const std::string section = gbk::G("软件升级");
  // The updater finds the program beside itself; the folder is written for
  // the instruction file's readers all the same.
  const std::string folder = gbk::FromUtf8(ProgramFolder().string());
  // The three keys in one rewrite: the file holds all of them or none.
  const bool started =
      platform::WriteProfileStrings(section,
                                    {{gbk::G("窗口标题"), std::string(appName)},
                                     {gbk::G("文件保存"), folder},
                                     {gbk::G("远程文件"), platform::EncodeAddressForRequest(downloadUrl)}},
                                    file) &&
      window.startUpdater && window.startUpdater();
  if (!started)
    return refuse(gbk::G("无法启动升级程序,请稍后再试或从网站下载新版本:\r\n") + std::string(downloadUrl));
  return true;
}

}  // namespace online
