#include "gui/common/grid_view.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "gui/common/grid_output.h"

namespace quintello {

namespace {

// Widths in twips follow the font's dots per inch (15 twips a pixel at 96), so a larger
// font or scale factor widens the columns with their text.
constexpr int kTwipsPerInch = 1440;
constexpr int kMenuPrintMarginTwips = 720;  // half an inch on every side

// Paints a cell's flood bar behind its text: the back colour, then the bar from the left
// edge over the given percentage of the width.
class FloodDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QVariant flood = index.data(GridModel::FloodRole);
    if (!flood.isValid()) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QVariant back = index.data(Qt::BackgroundRole);
    painter->fillRect(option.rect, back.isValid() ? back.value<QColor>() : QColor(Qt::white));
    QRect bar = option.rect;
    bar.setWidth(
        static_cast<int>(bar.width() * index.data(GridModel::FloodPercentRole).toDouble() / 100.0));
    painter->fillRect(bar, flood.value<QColor>());
    item.backgroundBrush = Qt::NoBrush;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : nullptr;
    if (style) style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
  }
};

}  // namespace

GridView::GridView(Dialogs& dialogs, QWidget* parent) : QTableView(parent) {
  setModel(&model_);
  addMenuCommands(dialogs);
  setItemDelegate(new FloodDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);  // Tab leaves the grid; the arrows move between cells
  setWordWrap(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setHighlightSections(false);
  // Fitting columns looks at a sample of rows, so a grid of ten thousand rows stays instant.
  horizontalHeader()->setResizeContentsPrecision(300);
  connect(&model_, &GridModel::gridReset, this, [this] {
    applyColumnLayout();
    applySpans();
  });
  connect(&model_, &GridModel::spansChanged, this, &GridView::applySpans);
  connect(this, &QTableView::clicked, this, [this](const QModelIndex& index) {
    emit cellClicked(model_.gridRow(index.row()), index.column());
  });
  connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    emit cellDoubleClicked(model_.gridRow(index.row()), index.column());
  });
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            emit currentRowChanged(current.isValid() ? model_.gridRow(current.row()) : 0);
          });
}

void GridView::addMenuCommands(Dialogs& dialogs) {
  setContextMenuPolicy(Qt::ActionsContextMenu);
  const auto command = [this](const char* name, const QString& text, auto run) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, run);
    addAction(action);
  };
  command("Copia", "Copia", [this] { copyGridToClipboard(grid()); });
  command("SalvaCsv", "Salva come CSV...", [this, &dialogs] { saveGridAsCsv(dialogs, grid()); });
  command("Stampa", "Stampa...", [this, &dialogs] {
    printGrid(dialogs, grid(), kMenuPrintMarginTwips, kMenuPrintMarginTwips);
  });
}

int GridView::currentGridRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? model_.gridRow(current.row()) : 0;
}

int GridView::currentGridCol() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.column() : -1;
}

void GridView::setCurrentCell(int gridRow, int col) {
  setCurrentIndex(model_.index(model_.modelRow(gridRow), col));
}

void GridView::setTopRow(int gridRow) {
  const QModelIndex index = model_.index(model_.modelRow(gridRow), 0);
  if (!index.isValid()) return;
  // Right after a new grid the scroll bar still has the old range, which would clamp the
  // scroll: bring it up to date first.
  updateGeometries();
  scrollTo(index, QAbstractItemView::PositionAtTop);
}

int GridView::topRow() const {
  const int row = rowAt(0);
  return row < 0 ? 0 : model_.gridRow(row);
}

void GridView::setKeyClicks(KeyClick space, KeyClick enter) {
  spaceKey_ = space;
  enterKey_ = enter;
}

void GridView::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const KeyClick click = key == Qt::Key_Space                            ? spaceKey_
                         : key == Qt::Key_Return || key == Qt::Key_Enter ? enterKey_
                                                                         : KeyClick::None;
  if (click == KeyClick::Click) {
    emit cellClicked(currentGridRow(), currentGridCol());
  } else if (click == KeyClick::DoubleClick) {
    emit cellDoubleClicked(currentGridRow(), currentGridCol());
  } else {
    QTableView::keyPressEvent(event);
  }
}

void GridView::applyColumnLayout() {
  const Grid& grid = model_.grid();
  for (int c = 0; c < grid.cols(); ++c) {
    setColumnHidden(c, grid.columnHidden(c));
    if (grid.columnWidth(c) > 0)
      setColumnWidth(c, grid.columnWidth(c) * logicalDpiX() / kTwipsPerInch);
    else
      resizeColumnToContents(c);
  }
}

void GridView::applySpans() {
  clearSpans();
  const Grid& grid = model_.grid();
  const int first = grid.fixedRows();
  for (int c = 0; c < grid.cols(); ++c) {
    if (!grid.columnMerged(c)) continue;
    int start = first;
    for (int r = first + 1; r <= grid.rows(); ++r) {
      if (r < grid.rows() && grid.text(r, c) == grid.text(start, c)) continue;
      if (r - start > 1) setSpan(model_.modelRow(start), c, r - start, 1);
      start = r;
    }
  }
}

}  // namespace quintello
