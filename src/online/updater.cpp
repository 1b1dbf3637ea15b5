#include "online/updater.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <memory>
#include <system_error>

#include "online/http.h"
#include "platform/gbk.h"
#include "platform/ini.h"

namespace online {
namespace {

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Closes a descriptor on every way out.
struct Descriptor {
  int fd = -1;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

void Tell(const UpdaterEvents& events, const char* stepUtf8) {
  if (events.step) events.step(gbk::G(stepUtf8));
}

UpdateOutcome Failed(const char* messageUtf8) { return {false, gbk::G(messageUtf8)}; }

}  // namespace

UpdaterInstructions ReadUpdaterInstructions(const std::filesystem::path& file) {
  const std::string section = gbk::G("软件升级");
  auto read = [&](const char* keyUtf8) {
    return platform::ReadProfileString(section, gbk::G(keyUtf8), "", file);
  };
  return {read("窗口标题"), read("文件保存"), read("远程文件")};
}

std::string Sha256Hex(std::string_view bytes) {
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int length = 0;
  if (EVP_Digest(bytes.data(), bytes.size(), digest.data(), &length, EVP_sha256(), nullptr) != 1) return {};
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex += kHex[digest[i] >> 4];
    hex += kHex[digest[i] & 15];
  }
  return hex;
}

std::optional<std::string> ParsePublishedDigest(std::string_view text) {
  size_t start = text.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);
  size_t end = text.find_first_of(" \t\r\n*");
  std::string_view word = text.substr(0, end);
  if (word.size() != 64) return std::nullopt;
  for (char c : word) {
    if (!IsHex(c)) return std::nullopt;
  }
  return gbk::AsciiLower(word);
}

bool ReplaceFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
  struct stat old {};
  if (::stat(target.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return false;
  std::string temp = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  Descriptor file;
  file.fd = ::mkstemp(temp.data());
  if (file.fd < 0) return false;
  bool ok = platform::WriteAllTo(file.fd, bytes) && ::fchmod(file.fd, old.st_mode & 07777) == 0 &&
            ::fsync(file.fd) == 0;
  ok = ::close(file.fd) == 0 && ok;
  file.fd = -1;
  if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder.
  Descriptor folder;
  folder.fd = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
  if (folder.fd >= 0) ::fsync(folder.fd);
  return true;
}

UpdateOutcome RunUpdate(const UpdaterInstructions& instructions, const UpdaterEvents& events,
                        std::stop_token stop) {
  const std::filesystem::path program =
      std::filesystem::path(gbk::ToUtf8(instructions.folder)) / kProgramFileName;
  if (instructions.folder.empty() || !IsHttpAddress(instructions.remoteFile))
    return Failed("升级说明不完整,没有可下载的新版本地址。");
  std::error_code ec;
  if (!std::filesystem::is_regular_file(program, ec))
    return Failed("找不到要升级的程序文件,请从网站下载新版本。");

  HttpOptions options;
  options.connectTimeout = std::chrono::seconds(15);
  options.totalTimeout = std::chrono::minutes(30);
  options.maxBodyBytes = 512u << 20;

  Tell(events, "正在取得新版本的校验值...");
  HttpResult digestFile = HttpFetch(instructions.remoteFile + ".sha256", stop, options);
  std::optional<std::string> expected;
  if (digestFile.transferred && digestFile.status == 200) expected = ParsePublishedDigest(BodyText(digestFile.body));
  if (stop.stop_requested()) return Failed("升级已取消,原程序没有改动。");
  if (!expected) return Failed("网站没有提供新版本的校验值,为安全起见不安装这次下载。原程序没有改动。");

  Tell(events, "正在下载新版本...");
  options.progress = events.progress;
  HttpResult download = HttpFetch(instructions.remoteFile, stop, options);
  if (stop.stop_requested()) return Failed("升级已取消,原程序没有改动。");
  if (!download.transferred || download.status != 200 || download.body.empty())
    return Failed("下载新版本失败,请检查网络连接后再试。原程序没有改动。");

  Tell(events, "正在校验下载的文件...");
  if (Sha256Hex(download.body) != *expected)
    return Failed("下载的文件与网站公布的校验值不符,已拒绝安装。原程序没有改动。");

  Tell(events, "正在等待主程序退出...");
  if (events.waitForProgramEnd && !events.waitForProgramEnd())
    return Failed("主程序没有退出,无法替换。请关闭主程序后再升级。原程序没有改动。");

  Tell(events, "正在安装新版本...");
  if (!ReplaceFileAtomically(program, download.body))
    return Failed("无法写入程序文件夹,新版本没有安装。原程序没有改动。");
  return {true, gbk::G("升级完成,正在启动新版本。")};
}

}  // namespace online
