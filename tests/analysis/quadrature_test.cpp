#include "analysis/quadrature/quadrature.h"

#include <gtest/gtest.h>

#include <set>

namespace quintello {
namespace {

TEST(QuadratureRing, SumsWrapToNinetyNeverZero) {
  struct Case {
    int a, b, expected;
  };
  for (const auto& [a, b, expected] : std::initializer_list<Case>{{45, 45, 90},
                                                                  {90, 90, 90},
                                                                  {30, 60, 90},
                                                                  {60, 50, 20},
                                                                  {1, 2, 3},
                                                                  {89, 2, 1},
                                                                  {0, 30, 30},
                                                                  {0, 0, 90},
                                                                  {0, 90, 90}}) {
    SCOPED_TRACE(std::to_string(a) + " + " + std::to_string(b));
    EXPECT_EQ(cyclicSum(a, b), expected);
    EXPECT_EQ(cyclicSum(b, a), expected);
  }
}

TEST(QuadratureRing, DistancesFoldAboveFortyFive) {
  struct Case {
    int a, b, expected;
  };
  for (const auto& [a, b, expected] : std::initializer_list<Case>{{1, 90, 1},
                                                                  {1, 46, 45},
                                                                  {1, 47, 44},
                                                                  {10, 55, 45},
                                                                  {10, 56, 44},
                                                                  {20, 20, 0},
                                                                  {0, 30, 30},
                                                                  {0, 60, 30},
                                                                  {0, 90, 0},
                                                                  {0, 0, 0}}) {
    SCOPED_TRACE(std::to_string(a) + " / " + std::to_string(b));
    EXPECT_EQ(cyclicDistance(a, b), expected);
    EXPECT_EQ(cyclicDistance(b, a), expected);
  }
}

TEST(QuadratureRing, ValuesOutsideTheRingStayInRange) {
  for (int a : {-1000, -91, -1, 91, 180, 1000000}) {
    for (int b : {-7, 0, 45, 90, 2000000000}) {
      EXPECT_GE(cyclicSum(a, b), 1);
      EXPECT_LE(cyclicSum(a, b), 90);
      EXPECT_GE(cyclicDistance(a, b), 0);
      EXPECT_LE(cyclicDistance(a, b), 45);
    }
  }
  EXPECT_EQ(cyclicSum(-1, 0), 89);
  EXPECT_EQ(cyclicSum(2000000000, 2000000000), cyclicSum(4000000000LL));
}

TEST(Quadrature, TotalsOfTheFourCorners) {
  EXPECT_EQ(computeQuadrature({90, 90, 90, 90}).total, 90);
  EXPECT_EQ(computeQuadrature({1, 2, 3, 4}).total, 10);
  EXPECT_EQ(computeQuadrature({89, 89, 89, 89}).total, 86);  // 356 = 3 * 90 + 86
  EXPECT_EQ(computeQuadrature({0, 0, 0, 0}).total, 90);
  EXPECT_EQ(computeQuadrature({45, 0, 0, 45}).total, 90);
}

TEST(Quadrature, TwelveMeasuresInGridOrder) {
  // 10 20       sums: 30 70 | 40 60 | 50 50      distances: 10 10 | 20 20 | 30 10
  // 30 40
  const auto q = computeQuadrature({10, 20, 30, 40});
  const std::array<int, 12> expected = {30, 70, 40, 60, 50, 50, 10, 10, 20, 20, 30, 10};
  EXPECT_EQ(q.values, expected);
  EXPECT_EQ(q.total, 10);  // 100 on the ring

  // Corners chosen so that every pair differs: the sums and distances near the ring's end.
  //  1 88
  // 47 90
  const auto r = computeQuadrature({1, 88, 47, 90});
  const std::array<int, 12> wrapped = {89,   // 1 + 88
                                       47,   // 47 + 90 = 137 -> 47
                                       48,   // 1 + 47
                                       88,   // 88 + 90 = 178 -> 88
                                       1,    // 1 + 90 = 91 -> 1
                                       45,   // 88 + 47 = 135 -> 45
                                       3,    // |1 - 88| = 87 -> 3
                                       43,   // |47 - 90|
                                       44,   // |1 - 47| = 46 -> 44
                                       2,    // |88 - 90|
                                       1,    // |1 - 90| = 89 -> 1
                                       41};  // |88 - 47|
  EXPECT_EQ(r.values, wrapped);
  EXPECT_EQ(r.total, 46);  // 226 - 180
}

TEST(Quadrature, MissingCornerCountsAsZero) {
  const auto a = computeQuadrature({0, 30, 0, 0});
  EXPECT_EQ(a.values[0], 30);  // horizontal sum 1
  EXPECT_EQ(a.values[6], 30);  // horizontal distance 1
  const auto b = computeQuadrature({0, 60, 0, 0});
  EXPECT_EQ(b.values[0], 60);
  EXPECT_EQ(b.values[6], 30);
  EXPECT_EQ(b.values[7], 0);  // both bottom corners missing
  EXPECT_EQ(b.values[1], 90);
}

TEST(Quadrature, TableJoinsTheRightCorners) {
  // Each of the six pairs appears once as a sum and once as a distance, at the same place
  // within its half of the table, and the names and pair labels follow the corners.
  std::set<std::pair<int, int>> pairs;
  for (size_t i = 0; i < 6; ++i) {
    const auto& sum = kQuadratureTable[i];
    const auto& distance = kQuadratureTable[i + 6];
    EXPECT_EQ(sum.kind, QuadratureMeasure::Kind::Sum);
    EXPECT_EQ(distance.kind, QuadratureMeasure::Kind::Distance);
    EXPECT_EQ(sum.first, distance.first);
    EXPECT_EQ(sum.second, distance.second);
    const std::string expectedSum =
        "N" + std::to_string(sum.first + 1) + "+N" + std::to_string(sum.second + 1);
    const std::string expectedDistance =
        "N" + std::to_string(sum.first + 1) + " N" + std::to_string(sum.second + 1);
    EXPECT_EQ(sum.pair, expectedSum);
    EXPECT_EQ(distance.pair, expectedDistance);
    EXPECT_EQ(sum.name.substr(0, 6), "Somma ");
    EXPECT_EQ(distance.name.substr(0, 9), "Distanza ");
    EXPECT_EQ(distance.name.substr(9), sum.name.substr(6));  // "orizzontale 1" and so on
    pairs.insert({sum.first, sum.second});
  }
  EXPECT_EQ(pairs.size(), 6u);
  // The named examples: diagonal 1 joins N1 and N4 and is shown by LblDD1 / LblSD1.
  EXPECT_EQ(kQuadratureTable[10].name, "Distanza diagonale 1");
  EXPECT_EQ(kQuadratureTable[10].first, 0);
  EXPECT_EQ(kQuadratureTable[10].second, 3);
  EXPECT_EQ(kQuadratureTable[10].label, "LblDD1");
  EXPECT_EQ(kQuadratureTable[2].label, "LblSv1");
  EXPECT_EQ(kQuadratureTable[8].name, "Distanza verticale 1");
  EXPECT_EQ(kQuadratureTable[8].label, "LblDv1");
}

TEST(QuadratureGrid, BeforeAndAfterComputing) {
  Grid grid = quadratureGrid();
  ASSERT_EQ(grid.rows(), 13);
  ASSERT_EQ(grid.cols(), 4);
  EXPECT_EQ(grid.text(0, 0), "Somma / Distanza            ");
  EXPECT_EQ(grid.text(0, 2), "Numeri ");
  EXPECT_EQ(grid.text(1, 0), "Somma orizzontale 1");
  EXPECT_EQ(grid.text(12, 1), "N2 N3");
  EXPECT_EQ(grid.text(1, 3), "");
  EXPECT_EQ(grid.alignment(0), Alignment::Left);
  EXPECT_EQ(grid.alignment(3), Alignment::Center);

  fillQuadratureGrid(grid, computeQuadrature({0, 30, 12, 0}));
  EXPECT_EQ(grid.text(1, 2), " 30");  // N1 missing: the pair starts with the lone space
  EXPECT_EQ(grid.text(4, 2), "30 ");  // N2 + N4, N4 missing
  EXPECT_EQ(grid.text(2, 2), "12 ");
  EXPECT_EQ(grid.text(1, 3), "30");
  EXPECT_EQ(grid.text(12, 3), "18");  // |30 - 12|
  EXPECT_EQ(grid.backColor(5, 3), GialloMedio);
  EXPECT_EQ(grid.foreColor(5, 3), kRed);
  EXPECT_EQ(grid.foreColor(5, 2), kBlue);
  EXPECT_EQ(grid.backColor(5, 2), kWhite);

  // A second computation replaces every value.
  fillQuadratureGrid(grid, computeQuadrature({1, 2, 3, 4}));
  EXPECT_EQ(grid.text(1, 2), "1 2");
  EXPECT_EQ(grid.text(1, 3), "3");
}

}  // namespace
}  // namespace quintello
