#include "frame/globals.h"

namespace frame {

Globals& globals() {
  static Globals g;
  return g;
}

void InitGlobals() {
  Globals& g = globals();
  g.generatedNames.Set({});
  g.generatedFullNames.Set({});
  g.filteredNames.Set({});
  g.combinationCharacters.clear();
}

void FreeGlobals() {
  platform::StopAllWorkers();
  Globals& g = globals();
  g.generationThread.reset();
  g.scoringThread.reset();
}

}  // namespace frame
