#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QScrollBar;

namespace quintello {

class AppContext;
class GridView;

// Estrazioni_minielenco, the mini draw list: one draw at a time on all eleven wheels, moved
// through with the scroll bar hs1 (arrow keys one draw, page keys 25 draws), found by index or
// by date, with cells the user highlights in green. It reads the in-memory archive at every
// change, so after a reload it follows the new archive.
class Estrazioni_minielenco : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kHelpFile = "Cimavert.chm";

  explicit Estrazioni_minielenco(AppContext& context, QWidget* parent = nullptr);

  int shownDraw() const;

  // The buttons' commands.
  void searchByIndex();    // Command42(0) "Ricerca per numero indice"
  void searchByDate();     // Command42(1) "Cerca estrazione per data"
  void clearHighlights();  // Command81

 private:
  void showDraw();
  void moveToDraw(int draw);
  int drawCount() const;
  void toggleCell(int row, int col);

  AppContext& context_;
  GridView* fG2_;
  QScrollBar* hs1_ = nullptr;
  QLabel* label1_;
  QLabel* label2_;
  QLabel* label3_;
};

}  // namespace quintello
