// A small seeded generator whose sequence is the same on every platform and standard library.
#pragma once

#include <cstdint>

namespace corvane::standin {

class RandomSource {
 public:
  explicit RandomSource(std::uint64_t seed) : state_(seed) {}

  // splitmix64
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [low, high).
  double Uniform(double low, double high) { return low + (high - low) * static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }

 private:
  std::uint64_t state_;
};

}  // namespace corvane::standin
