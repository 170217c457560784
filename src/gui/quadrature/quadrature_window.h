#pragma once

#include <QWidget>
#include <array>

#include "analysis/quadrature/quadrature.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quintello {

class AppContext;
class GridView;

// Quadrature, the quadrature calculator: four numbers on the corners of a square, chosen
// from the number list List1, and their thirteen sums and distances, drawn on the square's
// edges and diagonals and listed in the grid Fg1, whose rows show which corners a measure
// joins. It uses neither the archive nor the databases.
class Quadrature : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kHelpFile = "Ambrosa_HAltro.chm";

  explicit Quadrature(AppContext& context, QWidget* parent = nullptr);

  // The commands, as the user gives them.
  void compute();                        // Command1
  void reset();                          // Command2 "RESET"
  void openList(int corner);             // click on corner box 1..4
  void pickNumber(const QString& text);  // click on an entry of List1
  void highlightPair(int row);           // click on a row of Fg1
  int currentCorner() const { return corner_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildSquare();
  int cornerOf(QObject* object) const;
  void focusCorner(int corner);

  std::array<QLineEdit*, 4> txtQ_{};
  std::array<QLabel*, kQuadratureMeasures> pairLabels_{};
  QLabel* lblTS_ = nullptr;
  QListWidget* list1_ = nullptr;
  GridView* fg1_ = nullptr;
  int corner_ = 0;  // the corner box last clicked, 1..4; 0 before the first click
};

}  // namespace quintello
