#include "analysis/ui/OtherWindows.h"

namespace analysis {

namespace {
// Set once on the GUI thread before the first window opens, and only read
// there.
OtherWindows& Table() {
  static OtherWindows table;
  return table;
}
}  // namespace

void SetOtherWindows(OtherWindows windows) { Table() = std::move(windows); }

const OtherWindows& Others() { return Table(); }

}  // namespace analysis
