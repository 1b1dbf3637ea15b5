#include "support/core/test_home.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "frame/globals.h"
#include "frame/settings.h"
#include "platform/folders.h"
#include "platform/gbk.h"

namespace testing_support {

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
  if (const char* old = std::getenv(name)) old_ = old;
  value ? ::setenv(name, value, 1) : ::unsetenv(name);
}

ScopedEnv::~ScopedEnv() { old_ ? ::setenv(name_.c_str(), old_->c_str(), 1) : ::unsetenv(name_.c_str()); }

namespace {

std::filesystem::path MakeRoot() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "lanzhou-test-XXXXXX").string();
  char* made = ::mkdtemp(tmpl.data());
  return made ? std::filesystem::path(made) : std::filesystem::temp_directory_path() / "lanzhou-test";
}

}  // namespace

TestHome::TestHome() : root_(MakeRoot()), home_(platform::kHomeVariable, root_.c_str()) {}

TestHome::~TestHome() {
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

void TestHome::PrepareGlobals() {
  auto& g = frame::globals();
  g.appName = gbk::G("澜舟雅集");
  g.appVersion = "23.0";
  g.sitePathSegment = "P20111229";
  g.dataDirectory = frame::GetDataDirectory();
  g.settingsFilePath = frame::GetSettingsFilePath();
  g.appDataDirectory = g.dataDirectory / gbk::ToUtf8(g.appName) / "";
}

ScopedUpdateKey::ScopedUpdateKey(std::string key) { frame::globals().updateKey = std::move(key); }

ScopedUpdateKey::~ScopedUpdateKey() { frame::globals().updateKey.clear(); }

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteAll(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool AsOrdinaryUser(const std::function<bool()>& step) {
  if (::geteuid() != 0) return step();
  pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    ::_exit(step() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace testing_support
