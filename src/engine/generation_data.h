#pragma once
// The generation data: candidate pools, the smart mode word source and the
// run settings, shipped with the program under data/generation/ (GBK), so
// names can be generated without any network.
//
//   generation/two_char_pool.txt   TwoCharPool: characters back to back
//   generation/long_name_pool.txt  LongNamePool: characters back to back
//   generation/smart_words.txt     SmartWordSource: two-character words back to back
//   generation/settings.ini        [generation] NamesPerRun, CombinationLimit, OnlineScoreWord
//
// The readable lists they are made from are under tools/generation/.

namespace engine {

// Puts the shipped generation data into the globals (twoCharPool,
// longNamePool, smartWordSource, namesPerRun, combinationLimit,
// onlineCharacterList, onlineScoreWord). Safe to call from a worker thread.
void PutGenerationDataInPlace();

}  // namespace engine
