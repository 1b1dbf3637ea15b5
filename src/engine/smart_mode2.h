#pragma once
// Smart mode 2: names made of two-character words.
#include <string>

namespace engine {

// Iterations of a smart mode 2 run: NamesPerRun less 1550 for two-character
// names, less 1700 for any other length; never below 0.
long long SmartMode2Iterations(long long namesPerRun, int nameLength);

// Iterations of a two-character run that draw from the word source itself
// before the random word pool takes over.
inline constexpr int kWordSourceIterations = 30;

}  // namespace engine
