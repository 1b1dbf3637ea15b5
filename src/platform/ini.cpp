#include "platform/ini.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <utility>

#include "platform/gbk.h"

namespace platform {
namespace {

// Profile writes from different threads are serialised so that two
// read-modify-write cycles never lose each other's keys.
std::mutex& ProfileMutex() {
  static std::mutex m;
  return m;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size();) {
    size_t n = gbk::StrictCharSize(a, i);
    if (n == 2) {
      // Two-byte characters compare exactly, trail byte included.
      if (a.compare(i, 2, b, i, 2) != 0) return false;
    } else {
      unsigned char x = a[i], y = b[i];
      if (x >= 'A' && x <= 'Z') x += 32;
      if (y >= 'A' && y <= 'Z') y += 32;
      if (x != y) return false;
    }
    i += n;
  }
  return true;
}

// The first byte `c` standing as a one-byte character, or npos.
size_t FindChar(std::string_view s, char c, size_t from = 0) {
  for (size_t i = from; i < s.size(); i += gbk::StrictCharSize(s, i))
    if (s[i] == c) return i;
  return std::string_view::npos;
}

// Walks the lines of a text without copying or listing them all: a file of
// millions of empty lines costs no memory.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}
  bool Next(std::string_view* line) {
    if (pos_ >= text_.size()) return false;
    size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    std::string_view l = text_.substr(pos_, end - pos_);
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    pos_ = end + 1;
    *line = l;
    return true;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

// "[name]" -> name; not a header -> false.
bool SectionHeader(std::string_view line, std::string_view* name) {
  std::string_view t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  size_t close = FindChar(t, ']', 1);
  if (close == std::string_view::npos) return false;
  *name = Trim(t.substr(1, close - 1));
  return true;
}

bool KeyLine(std::string_view line, std::string_view* key, std::string_view* value) {
  size_t eq = FindChar(line, '=');
  if (eq == std::string_view::npos) return false;
  *key = Trim(line.substr(0, eq));
  *value = Trim(line.substr(eq + 1));
  return true;
}

std::string Unquote(std::string_view v) {
  if (v.size() >= 2 && ((v.front() == '"' && v.back() == '"') || (v.front() == '\'' && v.back() == '\'')))
    v = v.substr(1, v.size() - 2);
  return std::string(v);
}

// Keeps a written text on its one line: line breaks and zero bytes become
// blanks, and in names also the bytes that would start a section or end a
// key, and lone lead bytes (which would swallow the "]" after a section
// name). Two-byte characters pass whole, so their trail bytes are never
// taken for any of these.
std::string CleanText(std::string_view s, bool isName) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    size_t n = gbk::StrictCharSize(s, i);
    if (n == 2) {
      out.append(s.substr(i, 2));
      i += 2;
      continue;
    }
    unsigned char c = s[i++];
    if (c == '\r' || c == '\n' || c == 0) c = ' ';
    if (isName && (c == '=' || c == '[' || c == ']' || c >= 0x80)) c = ' ';
    out.push_back(static_cast<char>(c));
  }
  return isName ? std::string(Trim(out)) : out;
}

std::string CleanName(std::string_view s) { return CleanText(s, true); }
std::string CleanValue(std::string_view s) { return CleanText(s, false); }

}  // namespace

namespace {

enum class ReadStatus { kOk, kMissing, kFailed };

ReadStatus ReadWholeFile(const std::filesystem::path& file, std::string* bytes) {
  bytes->clear();
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? ReadStatus::kMissing : ReadStatus::kFailed;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) bytes->reserve(st.st_size);
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      bytes->clear();
      return ReadStatus::kFailed;
    }
    bytes->append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return ReadStatus::kOk;
}

}  // namespace

std::string ReadFileBytes(const std::filesystem::path& file, bool* ok) {
  std::string bytes;
  bool read = ReadWholeFile(file, &bytes) == ReadStatus::kOk;
  if (ok) *ok = read;
  return bytes;
}

bool ReadFileForRewrite(const std::filesystem::path& file, std::string* bytes) {
  return ReadWholeFile(file, bytes) != ReadStatus::kFailed;
}

namespace {

// What tells one version of a file from another without reading it.
struct Stamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = -1;
  long long modifiedNs = 0;
  bool operator==(const Stamp&) const = default;
};

// Marked read-only: its owner may read it but not write it.
bool IsReadOnlyMode(mode_t mode) { return (mode & S_IRUSR) && !(mode & S_IWUSR); }

Stamp StampOf(const struct stat& st) {
  return {st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
}

// Where a write to `file` lands: a symbolic link is followed to the file it
// names (which need not exist yet), so the link stays a link and its target
// gets the new bytes. Nothing for a loop of links.
std::optional<std::filesystem::path> WriteTarget(const std::filesystem::path& file) {
  std::filesystem::path target = file;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(target, ec)) return target;
    std::filesystem::path next = std::filesystem::read_symlink(target, ec);
    if (ec) return std::nullopt;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return std::nullopt;
}

// As WriteFileAtomically; `stamp` gets the written file's stamp, taken from
// the file itself before it is renamed into place.
bool WriteAtomically(const std::filesystem::path& file, std::string_view bytes, Stamp* stamp) {
  IgnoreFileSizeSignal();
  const std::optional<std::filesystem::path> target = WriteTarget(file);
  if (!target) return false;
  struct stat old {};
  const bool replacing = ::stat(target->c_str(), &old) == 0;
  if (replacing && IsReadOnlyMode(old.st_mode)) return false;
  static std::atomic<unsigned> counter{0};
  std::filesystem::path tmp = *target;
  tmp += ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  // A replaced file keeps its mode, so a file the user made private stays
  // so; but only when its owner may read and write it: a mode that locks
  // the owner out would leave the new file as unusable as the old.
  constexpr mode_t kOwnerReadWrite = S_IRUSR | S_IWUSR;
  if (replacing && (old.st_mode & kOwnerReadWrite) == kOwnerReadWrite) ::fchmod(fd, old.st_mode & 07777);
  struct stat written {};
  const bool ok = WriteAllTo(fd, bytes) && ::fsync(fd) == 0 && ::fstat(fd, &written) == 0;
  if (::close(fd) != 0 || !ok || std::rename(tmp.c_str(), target->c_str()) != 0) {
    ::unlink(tmp.c_str());
    return false;
  }
  if (stamp) *stamp = StampOf(written);
  return true;
}

// ASCII letters of one-byte characters folded, as names compare.
std::string FoldName(std::string_view name) {
  std::string out(name);
  for (size_t i = 0; i < out.size(); i += gbk::StrictCharSize(out, i))
    if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] + 32);
  return out;
}

// A profile file as last read or written by this process: its text, and
// the first value of every key of each section asked for so far, gathered
// in one pass over the text when the section is first asked for.
struct CachedFile {
  Stamp stamp;
  std::string text;
  std::unordered_map<std::string, std::unordered_map<std::string, std::string>> sections;

  // `section` as cleaned for lookup; keys of the result are folded.
  const std::unordered_map<std::string, std::string>& Section(const std::string& section) {
    std::string folded = FoldName(section);
    if (auto it = sections.find(folded); it != sections.end()) return it->second;
    auto& keys = sections[folded];
    bool inSection = false;
    Lines lines(text);
    for (std::string_view line; lines.Next(&line);) {
      std::string_view name, k, v;
      if (SectionHeader(line, &name))
        inSection = EqualNoCase(name, section);
      else if (inSection && KeyLine(line, &k, &v))
        keys.try_emplace(FoldName(k), Unquote(v));
    }
    return keys;
  }
};

// Files the program reads again and again (the settings file above all)
// are read once and kept, and read again only when their stamp shows that
// someone changed them. Guarded by ProfileMutex.
std::map<std::filesystem::path, CachedFile>& Cache() {
  static std::map<std::filesystem::path, CachedFile> files;
  return files;
}

// The cached file, read again when it changed on disk; nothing when it is
// missing or cannot be read.
CachedFile* CurrentFile(const std::filesystem::path& file, ReadStatus* status) {
  auto& cache = Cache();
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) {
    *status = errno == ENOENT ? ReadStatus::kMissing : ReadStatus::kFailed;
    cache.erase(file);
    return nullptr;
  }
  if (auto it = cache.find(file); it != cache.end() && it->second.stamp == StampOf(st)) {
    *status = ReadStatus::kOk;
    return &it->second;
  }
  CachedFile fresh;
  fresh.stamp = StampOf(st);
  *status = ReadWholeFile(file, &fresh.text);
  if (*status != ReadStatus::kOk) {
    cache.erase(file);
    return nullptr;
  }
  if (cache.size() >= 8) cache.clear();
  return &(cache[file] = std::move(fresh));
}

}  // namespace

bool WriteAllTo(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

void IgnoreFileSizeSignal() {
  static std::once_flag once;
  std::call_once(once, [] {
    // A handler someone installed on purpose is left alone.
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
      ::signal(SIGXFSZ, SIG_IGN);
  });
}

bool IsReadOnlyFile(const std::filesystem::path& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0 && IsReadOnlyMode(st.st_mode);
}

std::string WriteFailureNote(const std::filesystem::path& file) {
  return IsReadOnlyFile(file)
             ? gbk::G("\r\n这个文件设为只读，程序不会改写它；如要写入，请先取消它的只读属性。")
             : std::string();
}

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
  std::lock_guard lock(ProfileMutex());
  Cache().erase(file);
  return WriteAtomically(file, bytes, nullptr);
}

std::vector<std::optional<std::string>> ReadProfileStringsFromText(std::string_view text, std::string_view section,
                                                                   const std::vector<std::string_view>& keys) {
  std::vector<std::optional<std::string>> values(keys.size());
  if (section.empty()) return values;
  // Names are looked up the way they are written, so every name finds itself.
  const std::string sec = CleanName(section);
  std::vector<std::string> wanted;
  for (std::string_view k : keys) wanted.push_back(k.empty() ? std::string() : CleanName(k));
  size_t left = keys.size();
  bool inSection = false;
  Lines lines(text);
  for (std::string_view line; left > 0 && lines.Next(&line);) {
    std::string_view name;
    if (SectionHeader(line, &name)) {
      inSection = EqualNoCase(name, sec);
      continue;
    }
    std::string_view lk, lv;
    if (!inSection || !KeyLine(line, &lk, &lv)) continue;
    for (size_t i = 0; i < wanted.size(); ++i) {
      if (values[i] || wanted[i].empty() || !EqualNoCase(lk, wanted[i])) continue;
      values[i] = Unquote(lv);
      --left;
    }
  }
  return values;
}

std::string ReadProfileStringFromText(std::string_view text, std::string_view section, std::string_view key,
                                      std::string_view defaultValue) {
  if (section.empty() || key.empty()) return std::string(defaultValue);
  return ReadProfileStringsFromText(text, section, {key})[0].value_or(std::string(defaultValue));
}

std::string ReadProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                              const std::filesystem::path& file) {
  if (file.empty() || section.empty() || key.empty()) return {};
  // Names are looked up the way they are written, so every name finds itself.
  const std::string sec = CleanName(section), k = FoldName(CleanName(key));
  std::lock_guard lock(ProfileMutex());
  ReadStatus status;
  CachedFile* cached = CurrentFile(file, &status);
  if (!cached) return std::string(defaultValue);
  const auto& keys = cached->Section(sec);
  auto it = keys.find(k);
  return it == keys.end() ? std::string(defaultValue) : it->second;
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::filesystem::path& file) {
  return WriteProfileStrings(section, {{std::string(key), std::string(value)}}, file);
}

bool WriteProfileStrings(std::string_view section, const ProfileEntries& entries, const std::filesystem::path& file) {
  if (file.empty()) return false;
  const std::string sec = CleanName(section);
  if (sec.empty()) return false;
  // Cleaned entries in order; a key given twice keeps its last value.
  ProfileEntries todo;
  for (const auto& [key, value] : entries) {
    std::string k = CleanName(key);
    if (k.empty()) return false;
    auto same = std::find_if(todo.begin(), todo.end(), [&](const auto& e) { return EqualNoCase(e.first, k); });
    if (same != todo.end())
      same->second = CleanValue(value);
    else
      todo.emplace_back(std::move(k), CleanValue(value));
  }
  if (todo.empty()) return true;

  std::lock_guard lock(ProfileMutex());
  // A file that is there but cannot be read is never replaced by one that
  // holds only these keys.
  ReadStatus status;
  CachedFile* cached = CurrentFile(file, &status);
  if (status == ReadStatus::kFailed) return false;
  const std::string_view text = cached ? std::string_view(cached->text) : std::string_view();

  std::string out;
  out.reserve(text.size() + 64 * todo.size());
  auto emit = [&out](std::string_view l) {
    out.append(l);
    out.append("\r\n");
  };
  std::vector<bool> written(todo.size(), false);
  auto emitUnwritten = [&] {
    for (size_t j = 0; j < todo.size(); ++j)
      if (!written[j]) {
        emit(todo[j].first + "=" + todo[j].second);
        written[j] = true;
      }
  };
  // The keys go into the first section of that name: replaced where they
  // stand, the others added after its last non-blank line.
  bool inTarget = false, targetSeen = false;
  std::vector<std::string_view> pending;  // blank lines held back inside the target section
  auto flushPending = [&] {
    for (auto p : pending) emit(p);
    pending.clear();
  };
  Lines lines(text);
  for (std::string_view line; lines.Next(&line);) {
    std::string_view name;
    if (SectionHeader(line, &name)) {
      if (inTarget) emitUnwritten();
      flushPending();
      inTarget = !targetSeen && EqualNoCase(name, sec);
      if (inTarget) targetSeen = true;
      emit(line);
      continue;
    }
    if (inTarget) {
      std::string_view lk, lv;
      if (KeyLine(line, &lk, &lv)) {
        auto j = std::find_if(todo.begin(), todo.end(), [&](const auto& e) { return EqualNoCase(lk, e.first); }) -
                 todo.begin();
        if (j < static_cast<long>(todo.size()) && !written[j]) {
          flushPending();
          emit(std::string(lk) + "=" + todo[j].second);
          written[j] = true;
          continue;
        }
      }
      if (Trim(line).empty()) {
        pending.push_back(line);
        continue;
      }
      flushPending();
    }
    emit(line);
  }
  if (inTarget) emitUnwritten();
  flushPending();
  if (!targetSeen) {
    emit("[" + sec + "]");
    emitUnwritten();
  }
  Stamp stamp;
  if (!WriteAtomically(file, out, &stamp)) return false;
  CachedFile& now = Cache()[file];
  now.stamp = stamp;
  now.text = std::move(out);
  now.sections.clear();
  return true;
}

}  // namespace platform
