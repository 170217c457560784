#pragma once

#include <QWidget>

#include "analysis/quintello/session.h"
#include "core/grid.h"

class QHBoxLayout;
class QLabel;

namespace quintello {

class Dialogs;
class GridView;

// The report windows the Quintello window opens. Each shows what the session renders and
// copies its grids with "Copia tabella"; none computes anything. The Quintello window
// creates each once, fills it at every request and brings it to the front.

// A grid and its "Copia tabella" button (Command25).
class GridReportWindow : public QWidget {
  Q_OBJECT

 public:
  GridReportWindow(const QString& name, const QString& title, const QString& gridName,
                   Dialogs& dialogs, QWidget* parent);

  void fill(Grid grid);
  GridView& grid() { return *grid_; }

 protected:
  // The row of buttons under the grid, for windows that add their own.
  QHBoxLayout& buttons() { return *buttons_; }

 private:
  GridView* grid_;
  QHBoxLayout* buttons_;
};

// Ritardi: the forecast delays report, grid fGR.
class Ritardi : public GridReportWindow {
  Q_OBJECT

 public:
  explicit Ritardi(Dialogs& dialogs, QWidget* parent = nullptr);
};

// VerificaPrevisione, "Verifica previsione": the twenty draws after one occurrence with
// every forecast hit, grid Fg1.
class VerificaPrevisione : public GridReportWindow {
  Q_OBJECT

 public:
  explicit VerificaPrevisione(Dialogs& dialogs, QWidget* parent = nullptr);
};

// Quintello_Riepilogo, "Riepilogo statistico": outcomes by forecast size and hit count (Fg1)
// and by colpo (fG2), with the total in Label3.
class Quintello_Riepilogo : public QWidget {
  Q_OBJECT

 public:
  explicit Quintello_Riepilogo(Dialogs& dialogs, QWidget* parent = nullptr);

  void fill(RiepilogoStatistico summary);

 private:
  GridView* fg1_;
  GridView* fG2_;
  QLabel* label3_;
};

}  // namespace quintello
