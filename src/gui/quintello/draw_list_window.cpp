#include "gui/quintello/draw_list_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/draw_views.h"
#include "gui/common/grid_view.h"
#include "gui/common/single_window.h"

namespace quintello {

ElencoEstrazioni::ElencoEstrazioni(Dialogs& dialogs, QWidget* parent) : QWidget(parent) {
  setObjectName("ElencoEstrazioni");
  setWindowTitle("Elenco estrazioni");
  makeToolWindow(this);
  closeOnEscape(this);

  label1_ = new QLabel(this);
  label1_->setObjectName("Label1");
  label1_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont font = label1_->font();
  font.setBold(true);
  label1_->setFont(font);

  fgE_ = new GridView(dialogs, this);
  fgE_->setObjectName("FgE");
  fgE_->setGrid(drawListWindowGrid());

  auto* first = new QPushButton(style()->standardIcon(QStyle::SP_ArrowUp), "Prima riga", this);
  first->setObjectName("Command57");
  auto* last = new QPushButton(style()->standardIcon(QStyle::SP_ArrowDown), "Ultima riga", this);
  last->setObjectName("Command58");
  connect(first, &QPushButton::clicked, this, &ElencoEstrazioni::firstRow);
  connect(last, &QPushButton::clicked, this, &ElencoEstrazioni::lastRow);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(first);
  buttons->addWidget(last);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1_);
  layout->addWidget(fgE_, 1);
  layout->addLayout(buttons);
  resize(560, 480);
}

void ElencoEstrazioni::fill(Grid grid, const QString& label) {
  label1_->setText(label);
  fgE_->setGrid(std::move(grid));
  firstRow();
}

QString ElencoEstrazioni::label() const { return label1_->text(); }

void ElencoEstrazioni::firstRow() { fgE_->setTopRow(1); }

void ElencoEstrazioni::lastRow() { fgE_->setTopRow(fgE_->grid().rows() - 1); }

}  // namespace quintello
