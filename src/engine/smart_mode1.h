#pragma once
// Smart mode 1: names of random pool characters, with the fixed characters
// the user typed written over their positions.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/random.h"

namespace engine {

// Up to `count` distinct entries of `units` in random order (fewer when the
// pool is smaller; none from an empty pool). `units` is the pool cut into
// two-byte characters once per run (CharacterPoolUnits).
std::string PickRandomCharacters(const std::vector<std::string>& units, int count, RandomSource& random);

// Writes the non-empty fixed characters over name positions 1..length, in
// order; a box holding two characters lengthens the name. A position beyond
// the end of a short name is appended instead.
void ApplyFixedCharacters(std::string& name, const std::array<std::string, 4>& fixed, int length);

}  // namespace engine
