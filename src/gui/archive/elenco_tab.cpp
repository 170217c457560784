#include "gui/archive/elenco_tab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "archive/draw_navigation.h"
#include "gui/common/app_context.h"
#include "gui/common/grid_view.h"
#include "gui/common/widgets.h"

namespace quintello {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
  return namedButton(parent, name, text, 30);
}

}  // namespace

ElencoEstrazioniTab::ElencoEstrazioniTab(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("ElencoEstrazioni");
  fgDB_ = new GridView(context_.dialogs(), this);
  fgDB_->setObjectName("FgDB");
  // The current row shows its own yellow, not the selection's colour.
  fgDB_->setSelectionMode(QAbstractItemView::NoSelection);
  // Enter on a row picks it, as "Selezione estrazione" and a double click do.
  fgDB_->setKeyClicks(GridView::KeyClick::None, GridView::KeyClick::DoubleClick);
  connect(fgDB_, &GridView::currentRowChanged, this, &ElencoEstrazioniTab::highlightRow);
  connect(fgDB_, &GridView::cellDoubleClicked, this, &ElencoEstrazioniTab::selectCurrentDraw);

  label9_ = new QLabel(this);
  label9_->setObjectName("Label9");
  label9_->setFrameShape(QFrame::StyledPanel);
  fitWidthTo(label9_, "0000000");
  label9_->setAlignment(Qt::AlignCenter);
  label9_->setToolTip("Numero delle estrazioni in archivio");

  auto* command11 = button(this, "Command11", "Selezione estrazione");
  auto* command13 = button(this, "Command13", "Vai ultima estrazione");
  auto* command14 = button(this, "Command14", "Vai alla prima estrazione");
  command11->setToolTip("Mostra l'estrazione della riga evidenziata nella prima scheda");
  connect(command11, &QPushButton::clicked, this, &ElencoEstrazioniTab::selectCurrentDraw);
  connect(command13, &QPushButton::clicked, this, &ElencoEstrazioniTab::showLastDraw);
  connect(command14, &QPushButton::clicked, this, &ElencoEstrazioniTab::showFirstDraw);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(new QLabel("Estrazioni in archivio", this));
  buttons->addWidget(label9_);
  buttons->addStretch(1);
  for (auto* b : {command11, command14, command13}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fgDB_, 1);
  layout->addLayout(buttons);
  connect(&context_, &AppContext::archiveReloaded, this, &ElencoEstrazioniTab::followReload);
}

void ElencoEstrazioniTab::followReload() {
  // Listing ten thousand draws is the dearest part of a reload: not for a tab out of view.
  stale_ = true;
  if (isVisible()) fill();
}

void ElencoEstrazioniTab::showEvent(QShowEvent* event) {
  if (stale_) fill();
  QWidget::showEvent(event);
}

void ElencoEstrazioniTab::fill() {
  stale_ = false;
  const DrawArchive& archive = context_.archive();
  fgDB_->setGrid(FgDBGrid(archive));
  // Every wheel column as wide as a full wheel: the oldest draws, which the fitting samples,
  // lack several wheels.
  const int wheelWidth = fgDB_->fontMetrics().horizontalAdvance("00-00-00-00-00") + 14;
  for (int c = 2; c < fgDB_->grid().cols(); ++c) fgDB_->setColumnWidth(c, wheelWidth);
  label9_->setText(QString::fromStdString(Label9Text(archive)));
}

void ElencoEstrazioniTab::highlightRow(int row) {
  if (row < 1) return;
  fgDB_->modify([row](Grid& grid) { highlightFgDBRow(grid, row); });
}

void ElencoEstrazioniTab::selectCurrentDraw() {
  if (const auto selection = FgDBSelection(fgDB_->grid(), fgDB_->currentGridRow()))
    emit drawSelected(selection->draw, selection->dateText);
}

void ElencoEstrazioniTab::showLastDraw() { fgDB_->setTopRow(fgDB_->grid().rows() - 1); }

void ElencoEstrazioniTab::showFirstDraw() { fgDB_->setTopRow(1); }

}  // namespace quintello
