#pragma once
// Gives a test a fresh, private home for every folder the program uses
// (data, config, temp) and sets the program's globals to match.
#include <filesystem>
#include <string>

namespace testing_support {

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
  std::string oldHome_;
  bool hadOldHome_ = false;
};

// Reads a whole file (binary).
std::string ReadAll(const std::filesystem::path& file);
// Writes a whole file (binary).
void WriteAll(const std::filesystem::path& file, const std::string& bytes);

}  // namespace testing_support
