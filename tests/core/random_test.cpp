#include "core/random.h"

#include <gtest/gtest.h>

#include <vector>

namespace quintello {
namespace {

std::vector<double> draw(UniformRandom& random, int count) {
  std::vector<double> values;
  for (int i = 0; i < count; ++i) values.push_back(random.next());
  return values;
}

TEST(UniformRandom, FixedSeedGivesTheSameSequenceEveryStart) {
  UniformRandom first, second;
  EXPECT_EQ(first.seed(), UniformRandom::kDefaultSeed);
  EXPECT_EQ(draw(first, 50), draw(second, 50));

  UniformRandom other(7);
  EXPECT_NE(draw(other, 50), draw(first, 50));
  other.setSeed(UniformRandom::kDefaultSeed);
  UniformRandom fresh;
  EXPECT_EQ(draw(other, 50), draw(fresh, 50));
}

TEST(UniformRandom, ValuesLieInUnitIntervalAndSpreadOverNinetyNumbers) {
  UniformRandom random(12345);
  std::vector<int> counts(91, 0);
  constexpr int kDraws = 90000;
  for (int i = 0; i < kDraws; ++i) {
    const double v = random.next();
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
    ++counts[static_cast<size_t>(static_cast<int>(v * 90) + 1)];
  }
  EXPECT_EQ(counts[0], 0);
  for (int n = 1; n <= 90; ++n) {
    EXPECT_GT(counts[static_cast<size_t>(n)], 800) << n;
    EXPECT_LT(counts[static_cast<size_t>(n)], 1200) << n;
  }
}

}  // namespace
}  // namespace quintello
