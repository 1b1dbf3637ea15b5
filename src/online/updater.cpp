#include "online/updater.h"

#include <fcntl.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <memory>
#include <system_error>

#include "online/http.h"
#include "platform/gbk.h"
#include "platform/ini.h"
#include "platform/web_address.h"

namespace online {
namespace {

constexpr std::size_t kSignatureBytes = 64;

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::string HexOf(const unsigned char* bytes, unsigned int length) {
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (unsigned int i = 0; i < length; ++i) {
    hex += kHex[bytes[i] >> 4];
    hex += kHex[bytes[i] & 15];
  }
  return hex;
}

struct KeyDeleter {
  void operator()(EVP_PKEY* k) const { EVP_PKEY_free(k); }
};
struct DigestDeleter {
  void operator()(EVP_MD_CTX* c) const { EVP_MD_CTX_free(c); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyDeleter>;
using DigestContext = std::unique_ptr<EVP_MD_CTX, DigestDeleter>;

Key LoadUpdateKey(std::string_view pem) {
  if (pem.empty()) return nullptr;
  std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())),
                                                BIO_free);
  Key key(bio ? PEM_read_bio_PUBKEY(bio.get(), nullptr, nullptr, nullptr) : nullptr);
  // OpenSSL keeps the reason of a failure per thread: leave none behind.
  ERR_clear_error();
  if (!key || EVP_PKEY_id(key.get()) != EVP_PKEY_ED25519) return nullptr;
  return key;
}

// The new program as it arrives: a file beside the installed one (so that
// the final rename stays on one file system), hashed as it is written. It is
// removed on every way out except a completed install.
class IncomingProgram {
 public:
  explicit IncomingProgram(const std::filesystem::path& target)
      : target_(target),
        name_((target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string()) {
    fd_ = ::mkstemp(name_.data());
    if (fd_ >= 0) {
      sha_.reset(EVP_MD_CTX_new());
      if (!sha_ || EVP_DigestInit_ex(sha_.get(), EVP_sha256(), nullptr) != 1) sha_.reset();
    }
  }
  ~IncomingProgram() {
    if (fd_ >= 0) ::close(fd_);
    if (!installed_) ::unlink(name_.c_str());
  }
  IncomingProgram(const IncomingProgram&) = delete;
  IncomingProgram& operator=(const IncomingProgram&) = delete;

  bool ready() const { return fd_ >= 0 && sha_; }
  bool writeFailed() const { return writeFailed_; }
  std::size_t size() const { return size_; }

  bool Append(std::string_view piece) {
    if (!platform::WriteAllTo(fd_, piece) || EVP_DigestUpdate(sha_.get(), piece.data(), piece.size()) != 1) {
      writeFailed_ = true;
      return false;
    }
    size_ += piece.size();
    return true;
  }

  std::string DigestHex() {
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(sha_.get(), digest.data(), &length) != 1) return {};
    return HexOf(digest.data(), length);
  }

  // Ed25519 signs the message whole, so the file is mapped rather than read
  // in: the bytes come from the page cache and never fill the heap.
  bool SignedBy(std::string_view publicKeyPem, std::string_view signature) const {
    if (size_ == 0) return false;
    void* mapped = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd_, 0);
    if (mapped == MAP_FAILED) return false;
    bool ok = VerifyUpdateSignature(publicKeyPem, std::string_view(static_cast<const char*>(mapped), size_),
                                    signature);
    ::munmap(mapped, size_);
    return ok;
  }

  // Gives the file the installed program's mode, brings it to the disk and
  // renames it over the installed program.
  bool Install() {
    struct stat old {};
    if (::stat(target_.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return false;
    bool ok = ::fchmod(fd_, old.st_mode & 07777) == 0 && ::fsync(fd_) == 0;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    if (!ok || ::rename(name_.c_str(), target_.c_str()) != 0) return false;
    installed_ = true;
    // The rename itself reaches the disk with the folder.
    int folder = ::open(target_.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
      ::fsync(folder);
      ::close(folder);
    }
    return true;
  }

 private:
  std::filesystem::path target_;
  std::string name_;
  int fd_ = -1;
  DigestContext sha_;
  std::size_t size_ = 0;
  bool writeFailed_ = false;
  bool installed_ = false;
};

void Tell(const UpdaterEvents& events, const char* stepUtf8) {
  if (events.step) events.step(gbk::G(stepUtf8));
}

UpdateOutcome Failed(const char* messageUtf8) { return {false, false, gbk::G(messageUtf8)}; }

UpdateOutcome Cancelled() { return {false, true, gbk::G("升级已取消,原程序没有改动。")}; }

HttpOptions TransferOptions(const UpdateLimits& limits, std::size_t maxBytes, std::chrono::milliseconds timeout) {
  HttpOptions options;
  options.connectTimeout = limits.connectTimeout;
  options.totalTimeout = timeout;
  options.maxBodyBytes = maxBytes;
  options.lowSpeedBytesPerSecond = limits.lowSpeedBytesPerSecond;
  options.lowSpeedTime = limits.lowSpeedTime;
  return options;
}

// One of the small texts published beside the download.
HttpResult FetchPublishedText(const std::string& address, const UpdateLimits& limits, std::stop_token stop) {
  return HttpFetch(address, stop, TransferOptions(limits, limits.maxPublishedTextBytes, limits.publishedTextTimeout));
}

// No answer at all, as opposed to an answer that is no digest or signature
// (an error page, a text too long to be one).
bool NoAnswer(const HttpResult& r) { return !r.transferred && !r.tooLarge; }

template <class Parse>
auto ParsedText(const HttpResult& r, Parse parse) -> decltype(parse(std::string_view())) {
  if (r.status != 200) return std::nullopt;
  return parse(BodyText(r.body));
}

const std::string& Section() {
  static const std::string section = gbk::G("软件升级");
  return section;
}

}  // namespace

UpdaterInstructions ReadUpdaterInstructions(const std::filesystem::path& file) {
  auto read = [&](const char* keyUtf8) {
    return platform::ReadProfileString(Section(), gbk::G(keyUtf8), "", file);
  };
  return {read("窗口标题"), read("文件保存"), read("远程文件")};
}

std::string PublishedFileAddress(std::string_view download, std::string_view suffix) {
  size_t end = download.find_first_of("?#");
  if (end == std::string_view::npos) end = download.size();
  std::string address(download.substr(0, end));
  address.append(suffix);
  address.append(download.substr(end));
  return address;
}

std::string Sha256Hex(std::string_view bytes) {
  std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
  unsigned int length = 0;
  if (EVP_Digest(bytes.data(), bytes.size(), digest.data(), &length, EVP_sha256(), nullptr) != 1) return {};
  return HexOf(digest.data(), length);
}

std::optional<std::string> ParsePublishedDigest(std::string_view text) {
  text = gbk::TrimAsciiBlanks(text);
  std::string_view word = text.substr(0, text.find_first_of(" \t\r\n*"));
  if (word.size() != 64) return std::nullopt;
  for (char c : word) {
    if (!IsHex(c)) return std::nullopt;
  }
  return gbk::AsciiLower(word);
}

std::optional<std::string> ParsePublishedSignature(std::string_view text) {
  text = gbk::TrimAsciiBlanks(text);
  // 64 bytes are 88 base64 characters, the last two of them padding.
  if (text.size() != 88 || text.substr(86) != "==") return std::nullopt;
  for (char c : text.substr(0, 86)) {
    bool base64 =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
    if (!base64) return std::nullopt;
  }
  std::array<unsigned char, 66> decoded{};
  // EVP_DecodeBlock counts the padding as two zero bytes.
  if (EVP_DecodeBlock(decoded.data(), reinterpret_cast<const unsigned char*>(text.data()), 88) != 66)
    return std::nullopt;
  return std::string(reinterpret_cast<const char*>(decoded.data()), kSignatureBytes);
}

bool IsUpdateKey(std::string_view publicKeyPem) { return LoadUpdateKey(publicKeyPem) != nullptr; }

bool VerifyUpdateSignature(std::string_view publicKeyPem, std::string_view bytes,
                           std::string_view signature) {
  if (signature.size() != kSignatureBytes) return false;
  Key key = LoadUpdateKey(publicKeyPem);
  DigestContext ctx(EVP_MD_CTX_new());
  if (!key || !ctx) return false;
  // Ed25519 takes the message itself: no digest is named here.
  bool ok =
      EVP_DigestVerifyInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) == 1 &&
      EVP_DigestVerify(ctx.get(), reinterpret_cast<const unsigned char*>(signature.data()), signature.size(),
                       reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) == 1;
  ERR_clear_error();
  return ok;
}

UpdateOutcome RunUpdate(const UpdaterInstructions& instructions, const UpdaterSetup& setup,
                        const UpdaterEvents& events, std::stop_token stop) {
  // Without the release key nothing could prove who made a download.
  if (!IsUpdateKey(setup.publicKeyPem))
    return Failed("这个版本的程序不能自动升级,原程序没有改动。请从网站下载新版本。");
  if (!platform::IsHttpAddress(instructions.remoteFile))
    return Failed("升级说明不完整,没有可下载的新版本地址。原程序没有改动。");
  const std::filesystem::path program = setup.programFolder / kProgramFileName;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(program, ec))
    return Failed("找不到要升级的程序文件,请从网站下载新版本。");
  const UpdateLimits& limits = setup.limits;

  Tell(events, "正在取得新版本的校验值和签名...");
  const char* const kNoAnswer = "无法从网站取得新版本(网络中断或太慢),请检查网络连接后再试。原程序没有改动。";
  HttpResult digestFile =
      FetchPublishedText(PublishedFileAddress(instructions.remoteFile, ".sha256"), limits, stop);
  if (stop.stop_requested()) return Cancelled();
  if (NoAnswer(digestFile)) return Failed(kNoAnswer);
  std::optional<std::string> expected = ParsedText(digestFile, ParsePublishedDigest);
  if (!expected) return Failed("网站没有提供新版本的校验值,为安全起见不安装这次下载。原程序没有改动。");
  HttpResult signatureFile =
      FetchPublishedText(PublishedFileAddress(instructions.remoteFile, ".sig"), limits, stop);
  if (stop.stop_requested()) return Cancelled();
  if (NoAnswer(signatureFile)) return Failed(kNoAnswer);
  std::optional<std::string> signature = ParsedText(signatureFile, ParsePublishedSignature);
  if (!signature) return Failed("网站没有提供新版本的签名,为安全起见不安装这次下载。原程序没有改动。");

  IncomingProgram incoming(program);
  if (!incoming.ready()) return Failed("无法在程序所在的文件夹中写入,新版本没有安装。原程序没有改动。");

  Tell(events, "正在下载新版本...");
  HttpOptions options = TransferOptions(limits, limits.maxDownloadBytes, limits.downloadTimeout);
  options.progress = events.progress;
  options.receive = [&incoming](std::string_view piece) { return incoming.Append(piece); };
  HttpResult download = HttpFetch(instructions.remoteFile, stop, options);
  if (stop.stop_requested()) return Cancelled();
  if (incoming.writeFailed())
    return Failed("无法在程序所在的文件夹中写入(磁盘可能已满),新版本没有安装。原程序没有改动。");
  if (download.tooLarge) {
    std::string message = gbk::G("下载的文件大于 ") + std::to_string(limits.maxDownloadBytes >> 20) +
                          gbk::G(" MB,不是本软件的新版本,已拒绝安装。原程序没有改动。");
    return {false, false, message};
  }
  if (!download.transferred || download.status != 200 || incoming.size() == 0)
    return Failed("下载新版本失败(网络中断或太慢),请检查网络连接后再试。原程序没有改动。");

  Tell(events, "正在核对下载的文件...");
  if (incoming.DigestHex() != *expected)
    return Failed("下载的文件与网站公布的校验值不符,已拒绝安装。原程序没有改动。");
  if (!incoming.SignedBy(setup.publicKeyPem, *signature))
    return Failed("下载的文件没有本软件发布者的有效签名,已拒绝安装。原程序没有改动。");

  Tell(events, "正在等待主程序退出...");
  if (events.waitForProgramEnd && !events.waitForProgramEnd()) {
    if (stop.stop_requested()) return Cancelled();
    return Failed("主程序没有退出,无法替换。请关闭主程序后再升级。原程序没有改动。");
  }

  Tell(events, "正在安装新版本...");
  if (!incoming.Install()) return Failed("无法写入程序文件夹,新版本没有安装。原程序没有改动。");
  return {true, false, gbk::G("升级完成,正在启动新版本。")};
}

bool RecordUpdateOutcome(const std::filesystem::path& file, const UpdaterInstructions& instructions,
                         const UpdateOutcome& outcome) {
  const bool failed = !outcome.installed;
  return platform::WriteProfileStrings(
      Section(),
      {{gbk::G("失败地址"), failed ? instructions.remoteFile : std::string()},
       {gbk::G("失败说明"), failed && !outcome.cancelled ? outcome.message : std::string()}},
      file);
}

std::string TakeUpdateFailureMessage(const std::filesystem::path& file) {
  const std::string key = gbk::G("失败说明");
  std::string message = platform::ReadProfileString(Section(), key, "", file);
  // Told once: a message that cannot be cleared is not told at all, so that
  // it cannot come back at every start.
  if (message.empty() || !platform::WriteProfileString(Section(), key, "", file)) return {};
  return message;
}

std::string FailedUpdateAddress(const std::filesystem::path& file) {
  return platform::ReadProfileString(Section(), gbk::G("失败地址"), "", file);
}

}  // namespace online
