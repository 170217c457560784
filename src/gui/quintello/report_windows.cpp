#include "gui/quintello/report_windows.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/common/grid_output.h"
#include "gui/common/grid_view.h"
#include "gui/common/single_window.h"
#include "gui/common/widgets.h"

namespace quintello {

namespace {

QPushButton* copyButton(QWidget* parent, const char* name, GridView* grid) {
  auto* button = new QPushButton("Copia tabella", parent);
  button->setObjectName(name);
  QObject::connect(button, &QPushButton::clicked, grid,
                   [grid] { copyGridToClipboard(grid->grid()); });
  return button;
}

GridView* reportGrid(Dialogs& dialogs, QWidget* parent, const QString& name) {
  auto* grid = new GridView(dialogs, parent);
  grid->setObjectName(name);
  return grid;
}

// Wide enough to show every column of the grid without a horizontal scroll bar.
int fullWidth(const GridView* grid) {
  int width = 2 * grid->frameWidth() + 20;
  for (int c = 0; c < grid->grid().cols(); ++c)
    if (!grid->isColumnHidden(c)) width += grid->columnWidth(c);
  return width;
}

}  // namespace

GridReportWindow::GridReportWindow(const QString& name, const QString& title,
                                   const QString& gridName, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent) {
  setObjectName(name);
  setWindowTitle(title);
  makeToolWindow(this);
  closeOnEscape(this);
  grid_ = reportGrid(dialogs, this, gridName);
  buttons_ = new QHBoxLayout;
  buttons_->addWidget(copyButton(this, "Command25", grid_));
  buttons_->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_, 1);
  layout->addLayout(buttons_);
}

void GridReportWindow::fill(Grid grid) {
  grid_->setGrid(std::move(grid));
  resize(std::max(width(), std::min(fullWidth(grid_) + 24, 1200)), std::max(height(), 420));
}

Ritardi::Ritardi(Dialogs& dialogs, QWidget* parent)
    : GridReportWindow("Ritardi", "Ritardi", "fGR", dialogs, parent) {}

VerificaPrevisione::VerificaPrevisione(Dialogs& dialogs, QWidget* parent)
    : GridReportWindow("VerificaPrevisione", "Verifica previsione", "Fg1", dialogs, parent) {}

Quintello_Riepilogo::Quintello_Riepilogo(Dialogs& dialogs, QWidget* parent) : QWidget(parent) {
  setObjectName("Quintello_Riepilogo");
  setWindowTitle("Riepilogo statistico");
  makeToolWindow(this);
  closeOnEscape(this);

  auto* label1 = new QLabel("Esiti per quantità numeri                      Esiti per colpo", this);
  label1->setObjectName("Label1");
  QFont bold = label1->font();
  bold.setBold(true);
  label1->setFont(bold);
  fg1_ = reportGrid(dialogs, this, "Fg1");
  fG2_ = reportGrid(dialogs, this, "fG2");
  auto* label2 = new QLabel("Totale esiti", this);
  label2->setObjectName("Label2");
  label3_ = new QLabel(this);
  label3_->setObjectName("Label3");
  label3_->setFont(bold);
  label3_->setFrameShape(QFrame::StyledPanel);
  fitWidthTo(label3_, "0000000");
  label3_->setAlignment(Qt::AlignCenter);
  label3_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* total = new QHBoxLayout;
  total->addWidget(label2);
  total->addWidget(label3_);
  total->addStretch(1);
  auto* grids = new QGridLayout;
  grids->addWidget(fg1_, 0, 0);
  grids->addWidget(fG2_, 0, 1);
  grids->addWidget(copyButton(this, "Command4", fg1_), 1, 0, Qt::AlignLeft);
  grids->addWidget(copyButton(this, "Command1", fG2_), 1, 1, Qt::AlignLeft);
  grids->setColumnStretch(1, 1);
  grids->setRowStretch(0, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1);
  layout->addLayout(grids, 1);
  layout->addLayout(total);
  resize(560, 560);
}

void Quintello_Riepilogo::fill(RiepilogoStatistico summary) {
  fg1_->setGrid(std::move(summary.Fg1));
  fG2_->setGrid(std::move(summary.fG2));
  // The percentage column is wide enough for its bar to be read.
  fG2_->setColumnWidth(2, std::max(fG2_->columnWidth(2), 140));
  fg1_->setFixedWidth(fullWidth(fg1_));
  label3_->setText(QString::fromStdString(summary.Label3.text));
}

}  // namespace quintello
