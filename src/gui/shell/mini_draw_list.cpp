#include "gui/shell/mini_draw_list.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "core/draw_views.h"
#include "gui/common/app_context.h"
#include "gui/common/draw_scroll_bar.h"
#include "gui/common/grid_view.h"
#include "gui/common/icons.h"
#include "gui/common/single_window.h"
#include "gui/common/widgets.h"

namespace quintello {

namespace {

constexpr int kLargeStep = 25;

QLabel* panel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFrameShape(QFrame::StyledPanel);
  label->setAlignment(Qt::AlignCenter);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  fitWidthTo(label, dateSample());
  return label;
}

QPushButton* iconButton(QWidget* parent, const char* name, PaintedIcon icon, const QString& tip) {
  auto* button = new QPushButton(paintedIcon(icon), QString(), parent);
  button->setObjectName(name);
  button->setToolTip(tip);
  button->setAccessibleName(tip);
  button->setIconSize(QSize(28, 28));
  button->setMinimumSize(44, 38);
  return button;
}

}  // namespace

Estrazioni_minielenco::Estrazioni_minielenco(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("Estrazioni_minielenco");
  setWindowTitle("Mini elenco estrazioni");
  makeToolWindow(this);
  installHelp(this, context_.help(), kHelpFile);

  fG2_ = new GridView(context_.dialogs(), this);
  fG2_->setObjectName("fG2");
  // Cells show their highlight colour, not the selection's.
  fG2_->setSelectionMode(QAbstractItemView::NoSelection);
  fG2_->setGrid(miniListGrid());
  fG2_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  fG2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fG2_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fG2_->setMinimumHeight(fG2_->horizontalHeader()->sizeHint().height() +
                         kWheelCount * fG2_->verticalHeader()->defaultSectionSize() +
                         2 * fG2_->frameWidth());
  // Space highlights the current cell, as a click does.
  fG2_->setKeyClicks(GridView::KeyClick::Click, GridView::KeyClick::None);
  connect(fG2_, &GridView::cellClicked, this, &Estrazioni_minielenco::toggleCell);

  label1_ = panel(this, "Label1");
  label2_ = panel(this, "Label2");
  label3_ = panel(this, "Label3");
  label1_->setToolTip("Data dell'estrazione");
  label2_->setToolTip("Indice dell'estrazione");
  label3_->setToolTip("Progressivo nel mese e nell'anno");

  hs1_ = new QScrollBar(Qt::Horizontal, this);
  hs1_->setObjectName("hs1");
  useDrawKeys(hs1_);
  hs1_->setSingleStep(1);
  hs1_->setPageStep(kLargeStep);
  hs1_->setMinimumHeight(22);
  const int n = drawCount();
  hs1_->setRange(1, std::max(n, 1));
  hs1_->setValue(std::max(n, 1));  // the latest draw first
  connect(hs1_, &QScrollBar::valueChanged, this, &Estrazioni_minielenco::showDraw);
  connect(&context_, &AppContext::archiveReloaded, this, &Estrazioni_minielenco::showDraw);

  auto* byIndex =
      iconButton(this, "Command42_0", PaintedIcon::SearchIndex, "Ricerca per numero indice");
  auto* byDate =
      iconButton(this, "Command42_1", PaintedIcon::SearchDate, "Cerca estrazione per data");
  auto* clear =
      iconButton(this, "Command81", PaintedIcon::ClearHighlights, "Cancella le evidenziazioni");
  connect(byIndex, &QPushButton::clicked, this, &Estrazioni_minielenco::searchByIndex);
  connect(byDate, &QPushButton::clicked, this, &Estrazioni_minielenco::searchByDate);
  connect(clear, &QPushButton::clicked, this, &Estrazioni_minielenco::clearHighlights);

  auto* labels = new QHBoxLayout;
  labels->addWidget(label1_, 3);
  labels->addWidget(label2_, 2);
  labels->addWidget(label3_, 4);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(byIndex);
  buttons->addWidget(byDate);
  buttons->addStretch(1);
  buttons->addWidget(clear);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fG2_, 1);
  layout->addLayout(labels);
  layout->addWidget(hs1_);
  layout->addLayout(buttons);

  showDraw();
  hs1_->setFocus();
  resize(400, sizeHint().height());
}

int Estrazioni_minielenco::drawCount() const { return context_.archive().count(); }

int Estrazioni_minielenco::shownDraw() const { return drawCount() > 0 ? hs1_->value() : 0; }

void Estrazioni_minielenco::showDraw() {
  const DrawArchive& archive = context_.archive();
  const int n = archive.count();
  // The archive may have been reloaded since the last change: adopt its N.
  if (hs1_->maximum() != std::max(n, 1)) {
    const QSignalBlocker blocker(hs1_);
    hs1_->setMaximum(std::max(n, 1));
  }
  hs1_->setEnabled(n > 0);
  const int d = shownDraw();
  label2_->setText(d > 0 ? QString::number(d) : QString());
  label1_->setText(QString::fromStdString(archive.dateText(d)));
  label3_->setText(d > 0 ? QString::fromStdString(ordinalsText(archive, d)) : QString());
  fG2_->modify([&](Grid& grid) {
    showDrawInMiniList(grid, archive, d);
    if (d == 0)  // an empty archive has no numbers to show
      for (int r = 1; r < grid.rows(); ++r)
        for (int c = 1; c < grid.cols(); ++c) grid.setText(r, c, {});
  });
}

void Estrazioni_minielenco::moveToDraw(int draw) {
  const int value = hs1_->value(), maximum = hs1_->maximum();
  {
    const QSignalBlocker blocker(hs1_);
    hs1_->setMaximum(std::max(drawCount(), 1));
    hs1_->setValue(draw);
  }
  // Like a move of the scroll bar: nothing happens when it stays where it was.
  if (hs1_->value() != value || hs1_->maximum() != maximum) showDraw();
}

void Estrazioni_minielenco::searchByIndex() {
  const auto answer =
      context_.dialogs().input("Inserire il n° indice dell'archivio modello.", "Scelta estrazione",
                               shownDraw() > 0 ? QString::number(shownDraw()) : QString());
  if (!answer) return;
  if (const auto draw = drawIndexFromAnswer(answer->toStdString(), drawCount())) moveToDraw(*draw);
}

void Estrazioni_minielenco::searchByDate() {
  const auto answer =
      context_.dialogs().input("Data ?", "Ricerca per data GG/MM/AAAA",
                               QString::fromStdString(context_.archive().dateText(shownDraw())));
  // Cancel reads as an empty answer, which no draw date matches.
  if (const auto draw = findDrawByDate(context_.archive(), answer.value_or("").toStdString())) {
    moveToDraw(*draw);
    return;
  }
  context_.dialogs().message("Data non trovata", "Cerca data", Dialogs::Icon::Information);
}

void Estrazioni_minielenco::clearHighlights() {
  fG2_->modify([](Grid& grid) { quintello::clearHighlights(grid); });
}

void Estrazioni_minielenco::toggleCell(int row, int col) {
  fG2_->modify([&](Grid& grid) { toggleHighlight(grid, row, col); });
}

}  // namespace quintello
