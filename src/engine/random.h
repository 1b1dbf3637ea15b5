#pragma once
// The random source of the generation runs.
//
// Picks keep the program's long-standing formula: a whole number in [a, b] is
// a + (r mod (b - a + 1)) with r in 0..32767. What changed is where r comes
// from: one well-mixed generator per run instead of reseeding from the clock
// before every pick, which made names drawn within one clock tick repeat in
// patterns.
#include <cstdint>

namespace engine {

class RandomSource {
 public:
  // Seeded from the clock plus a running counter, so two sources made within
  // the same clock tick still differ.
  RandomSource();
  // A fixed seed, for reproducible runs in tests and benchmarks.
  explicit RandomSource(std::uint64_t seed);

  // The next value, 0..32767.
  int Next();

  // a + (Next() mod (b - a + 1)); `a` when b < a.
  int Between(int a, int b);

 private:
  std::uint64_t state_[4];
};

}  // namespace engine
