#include "gui/common/grid_model.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <algorithm>

namespace quintello {

QColor toQColor(Color color) { return QColor(color.r, color.g, color.b); }

Qt::Alignment toQtAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Center:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case Alignment::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent), grid_(1, 0) {}

void GridModel::setGrid(Grid grid) {
  beginResetModel();
  grid_ = std::move(grid);
  endResetModel();
  emit gridReset();
}

void GridModel::modify(const std::function<void(Grid&)>& change) {
  // Same shape: repaint in place, keeping the view's scroll position and current cell.
  const int rows = grid_.rows(), cols = grid_.cols(), fixed = grid_.fixedRows();
  const auto before = columnFlags();
  change(grid_);
  if (rows == grid_.rows() && cols == grid_.cols() && fixed == grid_.fixedRows() &&
      before == columnFlags()) {
    if (grid_.dataRows() > 0 && cols > 0)
      emit dataChanged(index(0, 0), index(grid_.dataRows() - 1, cols - 1));
    emit headerDataChanged(Qt::Horizontal, 0, std::max(cols - 1, 0));
    if (std::any_of(before.begin(), before.end(), [](int f) { return f & 2; })) emit spansChanged();
    return;
  }
  beginResetModel();
  endResetModel();
  emit gridReset();
}

std::vector<int> GridModel::columnFlags() const {
  std::vector<int> flags;
  for (int c = 0; c < grid_.cols(); ++c)
    flags.push_back((grid_.columnHidden(c) ? 1 : 0) | (grid_.columnMerged(c) ? 2 : 0) |
                    grid_.columnWidth(c) << 2);
  return flags;
}

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.dataRows();
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : grid_.cols();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = gridRow(index.row()), col = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(grid_.text(row, col));
    case Qt::BackgroundRole:
      if (grid_.hasBackColor(row, col)) return toQColor(grid_.backColor(row, col));
      if (col < grid_.fixedCols()) return QApplication::palette().color(QPalette::Button);
      return {};
    case Qt::ForegroundRole:
      if (grid_.hasForeColor(row, col)) return toQColor(grid_.foreColor(row, col));
      // A coloured cell keeps its text readable on a dark theme too; a flood bar is drawn
      // over white when the cell has no back colour.
      if (grid_.hasBackColor(row, col)) return toQColor(readableTextOn(grid_.backColor(row, col)));
      if (grid_.flood(row, col)) return toQColor(readableTextOn(kWhite));
      return {};
    case Qt::FontRole:
      if (grid_.bold(row, col)) {
        QFont font;
        font.setBold(true);
        return font;
      }
      return {};
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(toQtAlignment(grid_.alignment(col)));
    case FloodRole:
      if (const auto& flood = grid_.flood(row, col)) return toQColor(flood->color);
      return {};
    case FloodPercentRole:
      if (const auto& flood = grid_.flood(row, col)) return flood->percent;
      return {};
    default:
      return {};
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || grid_.fixedRows() < 1) return {};
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(grid_.text(0, section));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(toQtAlignment(grid_.alignment(section)));
    default:
      return {};
  }
}

}  // namespace quintello
