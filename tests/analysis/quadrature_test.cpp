#include "analysis/quadrature/quadrature.h"

#include <gtest/gtest.h>

namespace quintello {
namespace {

TEST(QuadratureRing, SumsWrapToNinetyDistancesFoldAboveFortyFive) {
  // 0 is a missing corner; -1 and 0 lie one step apart on the ring, as 89 and 90 do.
  const int cases[][4] = {{45, 45, 90, 0}, {60, 50, 20, 10}, {89, 2, 1, 3}, {1, 46, 47, 45},
                          {1, 47, 48, 44}, {0, 60, 60, 30},  {-1, 0, 89, 1}};
  for (const auto& [a, b, sum, distance] : cases)
    EXPECT_EQ(
        (std::array{cyclicSum(a, b), cyclicSum(b, a), cyclicDistance(a, b), cyclicDistance(b, a)}),
        (std::array{sum, sum, distance, distance}))
        << a << " " << b;
  for (int a : {-1000, -91, 91, 180, 1000000})
    for (int b : {-7, 45, 2000000000})
      EXPECT_TRUE(cyclicSum(a, b) >= 1 && cyclicSum(a, b) <= 90 && cyclicDistance(a, b) >= 0 &&
                  cyclicDistance(a, b) <= 45)
          << a << " " << b;
  EXPECT_EQ(cyclicSum(2000000000, 2000000000), 40);  // 4000000000 = 44444444 * 90 + 40
}

TEST(Quadrature, MeasuresInGridOrderTheTotalAndTheGrid) {
  //  1 88
  // 47 90
  // Sums N1+N2, N3+N4, N1+N3, N2+N4, N1+N4, N2+N3: 89, 137, 48, 178, 91, 135 on the ring;
  // distances in the same order: 87, 43, 46, 2, 89, 41 folded above 45; total 226 - 180.
  const auto q = computeQuadrature({1, 88, 47, 90});
  EXPECT_EQ(q.values, (std::array<int, 12>{89, 47, 48, 88, 1, 45, 3, 43, 44, 2, 1, 41}));
  EXPECT_EQ(q.total, 46);
  for (const auto& [corners, total] : std::vector<std::pair<std::array<int, 4>, int>>{
           {{90, 90, 90, 90}, 90}, {{1, 2, 3, 4}, 10}, {{89, 89, 89, 89}, 86}, {{0, 0, 0, 0}, 90}})
    EXPECT_EQ(computeQuadrature(corners).total, total) << corners[0];

  Grid grid = quadratureGrid();
  fillQuadratureGrid(grid, computeQuadrature({9, 9, 9, 9}));
  fillQuadratureGrid(grid, computeQuadrature({0, 30, 12, 0}));  // replaces every value
  // A missing corner is empty text beside the lone space.
  EXPECT_EQ(grid.clipText({1, 2, 1, 3}) + "|" + grid.clipText({4, 2, 4, 3}) + "|" +
                grid.clipText({8, 2, 8, 3}) + "|" + grid.clipText({12, 0, 12, 3}),
            " 30\t30|30 \t30|12 \t12|Distanza diagonale 2\tN2 N3\t30 12\t18");
  EXPECT_EQ((std::array{grid.backColor(5, 3), grid.foreColor(5, 3), grid.foreColor(5, 2)}),
            (std::array{GialloMedio, kRed, kBlue}));
}

}  // namespace
}  // namespace quintello
