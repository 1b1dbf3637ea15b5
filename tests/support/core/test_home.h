#pragma once
// Gives a test a fresh, private home for every folder the program uses
// (data, config, temp) and sets the program's globals to match.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace testing_support {

// Sets (or, with nullptr, clears) an environment variable for the lifetime
// of the object, then restores what was there before.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

class TestHome {
 public:
  TestHome();
  ~TestHome();
  TestHome(const TestHome&) = delete;
  TestHome& operator=(const TestHome&) = delete;

  const std::filesystem::path& root() const { return root_; }

  // Prepares globals().appName, dataDirectory and settingsFilePath the way
  // the main window does at start-up.
  void PrepareGlobals();

 private:
  std::filesystem::path root_;
  ScopedEnv home_;
};

// Runs `step` in a child process with no more rights than an ordinary user
// (uid 65534: root reads every file whatever its mode) and gives its
// result; when the tests do not run as root, simply runs it.
bool AsOrdinaryUser(const std::function<bool()>& step);

// Gives the program an update key for the lifetime of the object (the main
// program only asks whether its build has one), then takes it away.
class ScopedUpdateKey {
 public:
  explicit ScopedUpdateKey(std::string key = "(a public key)");
  ~ScopedUpdateKey();
  ScopedUpdateKey(const ScopedUpdateKey&) = delete;
  ScopedUpdateKey& operator=(const ScopedUpdateKey&) = delete;
};

// Reads a whole file (binary).
std::string ReadAll(const std::filesystem::path& file);
// Writes a whole file (binary).
void WriteAll(const std::filesystem::path& file, const std::string& bytes);

}  // namespace testing_support
