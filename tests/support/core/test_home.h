#pragma once
// Gives a test a fresh, private home for every folder the program uses
// (data, config, temp) and sets the program's globals to match.
#include <filesystem>
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

// Reads a whole file (binary).
std::string ReadAll(const std::filesystem::path& file);
// Writes a whole file (binary).
void WriteAll(const std::filesystem::path& file, const std::string& bytes);

}  // namespace testing_support
