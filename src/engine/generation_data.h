#pragma once
// The generation data: candidate pools, the smart mode word source and the
// run settings, shipped with the program under data/generation/.

namespace engine {

// Puts the shipped generation data into the globals (twoCharPool,
// longNamePool, smartWordSource, namesPerRun, combinationLimit,
// onlineCharacterList, onlineScoreWord). Safe to call from a worker thread.
void PutGenerationDataInPlace();

}  // namespace engine
