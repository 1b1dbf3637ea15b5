#pragma once
// The state the program keeps between two events. Values that workers and
// the GUI thread share are published under a lock (`Guarded`); the hand-over
// values between windows are touched on the GUI thread only.
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "platform/threads.h"

namespace frame {

template <class T>
class Guarded {
 public:
  T Get() const {
    std::lock_guard l(mutex_);
    return value_;
  }
  void Set(T v) {
    std::lock_guard l(mutex_);
    value_ = std::move(v);
  }
  template <class F>
  auto With(F&& f) const {
    std::lock_guard l(mutex_);
    return f(value_);
  }
  template <class F>
  auto Update(F&& f) {
    std::lock_guard l(mutex_);
    return f(value_);
  }

 private:
  mutable std::mutex mutex_;
  T value_{};
};

struct Globals {
  // Fixed at start-up (GUI thread), read everywhere afterwards.
  std::string appName;          // GBK "澜舟雅集"
  std::string appVersion;       // "23.0"
  std::string sitePathSegment;  // "P20111229"
  std::filesystem::path dataDirectory;     // ends in "/"
  std::filesystem::path settingsFilePath;
  std::filesystem::path appDataDirectory;  // dataDirectory / appName /
  std::filesystem::path pageDirectory;
  // The public key (PEM) this build's updates are signed with; empty in a
  // build that carries none, which installs no update.
  std::string updateKey;

  // Results of the last run, each line ended by CR LF.
  Guarded<std::string> generatedNames;
  Guarded<std::string> generatedFullNames;
  Guarded<std::string> filteredNames;

  // Values of the information file.
  Guarded<std::string> kangxiOverrides;
  Guarded<std::string> latestVersion;
  Guarded<std::string> downloadUrl;

  // Generation data, put in place at start-up.
  Guarded<std::string> twoCharPool;
  Guarded<std::string> longNamePool;
  Guarded<std::string> smartWordSource;
  Guarded<std::string> namesPerRun;
  Guarded<std::string> combinationLimit;
  Guarded<std::string> onlineCharacterList;
  Guarded<std::string> onlineScoreWord;

  // Workers whose windows stop them when they close.
  platform::ThreadHandle generationThread;
  platform::ThreadHandle scoringThread;

  // Hand-over values between windows (GUI thread only), GBK.
  std::string evaluationPrefix, evaluationSuffix, selectedName, selectedFullName;
  std::string gridMenuCharacter[4];
  std::string duplicateQueryName;
  std::string pageTitle, pageUrl;
  std::string knowledgeTitle, knowledgeArticleList, knowledgeFolder;
  std::string dictionaryCharacter;
  std::filesystem::path favouritesFilePath, attributesFavouritesFilePath, combinationArchivePath;
  std::vector<std::string> combinationCharacters;
  std::string combinationCharacterText;
  int lookupPage = 0;
  int duplicateQueryBusy = 0;
};

Globals& globals();

// Gives every global its initial value. Called once before any window.
void InitGlobals();

// The end of the program: stops and joins every worker, then clears the
// state. Safe to call more than once.
void FreeGlobals();

}  // namespace frame
