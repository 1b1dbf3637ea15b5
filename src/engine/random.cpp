#include "engine/random.h"

#include <atomic>
#include <chrono>

namespace engine {

namespace {

std::uint64_t SplitMix64(std::uint64_t& x) {
  std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::uint64_t Rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

std::uint64_t ClockSeed() {
  static std::atomic<std::uint64_t> counter{0};
  auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  // The counter is spread over the high bits so that it never cancels a
  // difference in the clock's low bits.
  return static_cast<std::uint64_t>(now) ^ (counter.fetch_add(1) * 0xD1B54A32D192ED03ULL);
}

}  // namespace

RandomSource::RandomSource() : RandomSource(ClockSeed()) {}

RandomSource::RandomSource(std::uint64_t seed) {
  for (auto& s : state_) s = SplitMix64(seed);
}

int RandomSource::Next() {
  // xoshiro256**; the top 15 bits are the best mixed.
  std::uint64_t result = Rotl(state_[1] * 5, 7) * 9;
  std::uint64_t t = state_[1] << 17;
  state_[2] ^= state_[0];
  state_[3] ^= state_[1];
  state_[1] ^= state_[2];
  state_[0] ^= state_[3];
  state_[2] ^= t;
  state_[3] = Rotl(state_[3], 45);
  return static_cast<int>(result >> 49);
}

int RandomSource::Between(int a, int b) {
  if (b < a) return a;
  long long span = static_cast<long long>(b) - a + 1;
  return static_cast<int>(a + Next() % span);
}

}  // namespace engine
