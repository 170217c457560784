#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/grid.h"

namespace quintello {

// A quadrature: four Lotto numbers on the corners of a square,
//   N1 (top left)     N2 (top right)
//   N3 (bottom left)  N4 (bottom right)
// and the cyclic sums and distances of its six pairs on the ring 1..90. A missing corner
// counts as 0.
struct QuadratureMeasure {
  enum class Kind { Sum, Distance };

  std::string_view name;  // "Somma orizzontale 1"
  std::string_view pair;  // "N1+N2" for a sum, "N1 N2" for a distance
  Kind kind;
  int first, second;       // the corners joined, 0..3 for N1..N4
  std::string_view label;  // the label of the square showing the value: "LblSO1"
};

inline constexpr int kQuadratureMeasures = 12;

// The twelve measures in the order of the quadrature grid: six sums, then six distances,
// each kind horizontal 1 and 2, vertical 1 and 2, diagonal 1 and 2.
inline constexpr std::array<QuadratureMeasure, kQuadratureMeasures> kQuadratureTable = {{
    {"Somma orizzontale 1", "N1+N2", QuadratureMeasure::Kind::Sum, 0, 1, "LblSO1"},
    {"Somma orizzontale 2", "N3+N4", QuadratureMeasure::Kind::Sum, 2, 3, "LblSO2"},
    {"Somma verticale 1", "N1+N3", QuadratureMeasure::Kind::Sum, 0, 2, "LblSv1"},
    {"Somma verticale 2", "N2+N4", QuadratureMeasure::Kind::Sum, 1, 3, "LblSv2"},
    {"Somma diagonale 1", "N1+N4", QuadratureMeasure::Kind::Sum, 0, 3, "LblSD1"},
    {"Somma diagonale 2", "N2+N3", QuadratureMeasure::Kind::Sum, 1, 2, "LblSD2"},
    {"Distanza orizzontale 1", "N1 N2", QuadratureMeasure::Kind::Distance, 0, 1, "LblDO1"},
    {"Distanza orizzontale 2", "N3 N4", QuadratureMeasure::Kind::Distance, 2, 3, "LblDO2"},
    {"Distanza verticale 1", "N1 N3", QuadratureMeasure::Kind::Distance, 0, 2, "LblDv1"},
    {"Distanza verticale 2", "N2 N4", QuadratureMeasure::Kind::Distance, 1, 3, "LblDv2"},
    {"Distanza diagonale 1", "N1 N4", QuadratureMeasure::Kind::Distance, 0, 3, "LblDD1"},
    {"Distanza diagonale 2", "N2 N3", QuadratureMeasure::Kind::Distance, 1, 2, "LblDD2"},
}};

// The label showing the total sum, in the centre of the square.
inline constexpr std::string_view kQuadratureTotalLabel = "LblTS";

// Sum on the ring 1..90: (a + b) modulo 90, with 90 in place of 0. Any whole numbers are
// accepted (negative ones wrap the same way), so the result is always 1..90.
int cyclicSum(long long total);
int cyclicSum(int a, int b);
// Distance on the ring: |a - b|, or 90 minus it when above 45; 0..45 for numbers 0..90.
int cyclicDistance(int a, int b);

struct QuadratureValues {
  std::array<int, 4> corners{};                   // N1..N4 as given, 0 = missing
  std::array<int, kQuadratureMeasures> values{};  // in the order of kQuadratureTable
  int total = 0;                                  // cyclic sum of the four corners
};

// The thirteen measures of a square; a pure function of the four corners.
QuadratureValues computeQuadrature(const std::array<int, 4>& corners);

// The quadrature grid as the window first shows it: header "Somma / Distanza ...|Elementi|
// Numeri |Valore", rows 1..12 holding each measure's name and pair, columns 1..3 centred.
Grid quadratureGrid();
// Fills columns "Numeri" and "Valore" from the measures: "Numeri" joins the texts of the two
// corners with one space (a missing corner is empty text), "Valore" holds the value on
// GialloMedio in red, "Numeri" is written in blue.
void fillQuadratureGrid(Grid& grid, const QuadratureValues& values);
// The text of a corner box: the number, or empty when missing.
std::string cornerText(int number);

}  // namespace quintello
