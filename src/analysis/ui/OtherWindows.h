#pragma once
// What the analysis windows show of other parts of the program. They never
// include another part's windows: the main window's launchers hand them
// these at start-up (frame::ConnectWindows), and an entry not handed over
// does nothing.
#include <functional>
#include <string>

namespace analysis {

struct OtherWindows {
  // A character link of a name page: opens the online dictionary on the
  // character (GBK) in a window of its own.
  std::function<void(const std::string& character)> openDictionary;
  // The address of a character's page in the online dictionary, for the
  // evaluation window's character tabs.
  std::function<std::string(const std::string& character)> dictionaryAddress;
};

void SetOtherWindows(OtherWindows windows);
const OtherWindows& Others();

}  // namespace analysis
