#pragma once

#include <QTableView>

#include "gui/common/grid_model.h"

namespace quintello {

class Dialogs;

// The one view of every grid of the program: a table over a GridModel with flood bars,
// merged columns (equal adjacent cells shown as one), hidden columns and widths in twips.
// Rows and columns in its signals and accessors are grid rows (the header is row 0).
// Its context menu copies the grid ("Copia"), saves it for a spreadsheet ("Salva come
// CSV...") and prints it ("Stampa..."), the dialogs going through `dialogs`.
class GridView : public QTableView {
  Q_OBJECT

 public:
  explicit GridView(Dialogs& dialogs, QWidget* parent = nullptr);

  GridModel& gridModel() { return model_; }
  const Grid& grid() const { return model_.grid(); }
  void setGrid(Grid grid) { model_.setGrid(std::move(grid)); }
  void modify(const std::function<void(Grid&)>& change) { model_.modify(change); }

  // The current data row, or 0 when no data row is current.
  int currentGridRow() const;
  int currentGridCol() const;
  void setCurrentCell(int gridRow, int col);
  // Scrolls so that the given grid row is the first visible data row.
  void setTopRow(int gridRow);
  int topRow() const;

  // What Space and Enter do on the current cell: what they do in any table (the default), or
  // work as a click or a double click on it.
  enum class KeyClick { None, Click, DoubleClick };
  void setKeyClicks(KeyClick space, KeyClick enter);

 signals:
  void cellClicked(int gridRow, int col);
  void cellDoubleClicked(int gridRow, int col);
  void currentRowChanged(int gridRow);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void applyColumnLayout();
  void applySpans();
  void addMenuCommands(Dialogs& dialogs);

  GridModel model_;
  KeyClick spaceKey_ = KeyClick::None;
  KeyClick enterKey_ = KeyClick::None;
};

}  // namespace quintello
