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

TEST(UniformRandom, SameSeedSameSequence) {
  UniformRandom first, second, other(7);
  const auto sequence = draw(first, 50);
  EXPECT_EQ(draw(second, 50), sequence);
  EXPECT_NE(draw(other, 50), sequence);
  other.setSeed(UniformRandom::kDefaultSeed);
  EXPECT_EQ(draw(other, 50), sequence);
}

TEST(UniformRandom, ValuesInTheUnitIntervalSpreadOverNinetyNumbers) {
  UniformRandom random(12345);
  std::vector<int> counts(90, 0);
  for (int i = 0; i < 90000; ++i) {
    const double v = random.next();
    ASSERT_TRUE(v >= 0.0 && v < 1.0) << v;
    ++counts[static_cast<size_t>(v * 90)];
  }
  // 1000 expected for each number, with a standard deviation of about 31.
  for (int n = 0; n < 90; ++n) EXPECT_TRUE(counts[n] > 800 && counts[n] < 1200) << n + 1;
}

}  // namespace
}  // namespace quintello
