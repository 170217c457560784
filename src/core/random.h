#pragma once

#include <cstdint>

namespace quintello {

// The program's one source of randomness: uniform values in [0, 1). It starts from a fixed
// seed, so the same inputs and the same sequence of runs after a start give the same
// results; the command line can choose another seed. The sequence is the same on every
// platform (xoshiro256** seeded through splitmix64, 53-bit values).
class UniformRandom {
 public:
  static constexpr std::uint64_t kDefaultSeed = 20260107;

  explicit UniformRandom(std::uint64_t seed = kDefaultSeed) { setSeed(seed); }

  void setSeed(std::uint64_t seed);
  std::uint64_t seed() const { return seed_; }

  double next();  // uniform in [0, 1)

 private:
  std::uint64_t seed_ = 0;
  std::uint64_t state_[4] = {};
};

}  // namespace quintello
