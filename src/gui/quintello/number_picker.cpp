#include "gui/quintello/number_picker.h"

#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "core/draw_views.h"
#include "gui/common/grid_view.h"

namespace quintello {

namespace {

constexpr int kCellSide = 34;

}  // namespace

Numeri::Numeri(NumberPickerClient& client, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), client_(client) {
  setObjectName("Numeri");
  setWindowTitle("Numeri");

  auto* label1 = new QLabel("Effettuare un solo click", this);
  label1->setObjectName("Label1");
  label1->setAlignment(Qt::AlignCenter);

  fg1_ = new GridView(dialogs, this);
  fg1_->setObjectName("Fg1");
  fg1_->setGrid(numberBoardGrid());
  fg1_->setSelectionMode(QAbstractItemView::NoSelection);
  fg1_->horizontalHeader()->hide();
  fg1_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  fg1_->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  fg1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fg1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fg1_->setMinimumSize(kBoardCols * kCellSide + 2 * fg1_->frameWidth(),
                       kBoardRows * kCellSide + 2 * fg1_->frameWidth());
  QFont font = fg1_->font();
  font.setBold(true);
  fg1_->setFont(font);
  fg1_->setKeyClicks(GridView::KeyClick::Click, GridView::KeyClick::Click);
  connect(fg1_, &GridView::cellClicked, this, &Numeri::pick);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fg1_, 1);
  layout->addWidget(label1);
  fg1_->setCurrentCell(0, 0);
  fg1_->setFocus();
}

void Numeri::markNumbers(std::span<const int> numbers) {
  fg1_->modify([&](Grid& board) { markBoardNumbers(board, numbers); });
}

void Numeri::pick(int row, int col) {
  int number = 0;
  fg1_->modify([&](Grid& board) { number = pickBoardNumber(board, row, col); });
  if (number == 0) return;
  client_.numberPicked(number);
  accept();
}

}  // namespace quintello
