#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <functional>
#include <vector>

#include "core/grid.h"

namespace quintello {

QColor toQColor(Color color);
Qt::Alignment toQtAlignment(Alignment alignment);  // always vertically centred

// Shows one core Grid: its fixed header row becomes the horizontal header, every other row
// a model row. Texts, colours, bold, alignment and flood bars come straight from the grid,
// so nothing is copied per cell and a grid of ten thousand rows opens at once.
class GridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int FloodRole = Qt::UserRole + 1;  // QVariant(QColor) + FloodPercentRole
  static constexpr int FloodPercentRole = Qt::UserRole + 2;

  explicit GridModel(QObject* parent = nullptr);

  const Grid& grid() const { return grid_; }
  void setGrid(Grid grid);
  // Changes the grid in place and tells the view what changed.
  void modify(const std::function<void(Grid&)>& change);

  // Model row <-> grid row (the grid's fixed rows come first).
  int gridRow(int modelRow) const { return modelRow + grid_.fixedRows(); }
  int modelRow(int gridRow) const { return gridRow - grid_.fixedRows(); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 signals:
  void gridReset();     // rows, columns or column flags may have changed
  void spansChanged();  // texts of a merged column may have changed

 private:
  std::vector<int> columnFlags() const;
  Grid grid_;
};

}  // namespace quintello
