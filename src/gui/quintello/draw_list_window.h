#pragma once

#include <QString>
#include <QWidget>

#include "core/grid.h"

class QLabel;

namespace quintello {

class Dialogs;
class GridView;

// ElencoEstrazioni, the draw list: a scrollable list of draws that the window opening it
// fills (the Quintello window's draw lists of a forecast), with a caption in Label1 and two
// buttons that jump to the first and the last line.
//
//   Grid lines = drawListWindowGrid();  // core/draw_views.h: the header "Rif  |N° Estr|..."
//   ... append one line per draw ...
//   list->fill(std::move(lines), caption);
class ElencoEstrazioni : public QWidget {
  Q_OBJECT

 public:
  explicit ElencoEstrazioni(Dialogs& dialogs, QWidget* parent = nullptr);

  // Shows the grid FgE (header included) and the caption, and scrolls to the first line.
  void fill(Grid grid, const QString& label);
  GridView& grid() { return *fgE_; }
  QString label() const;

  void firstRow();  // Command57 "Prima riga"
  void lastRow();   // Command58 "Ultima riga"

 private:
  GridView* fgE_;
  QLabel* label1_;
};

}  // namespace quintello
