#include "gui/shell/main_window.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

#include "core/draw_list_grid.h"
#include "gui/archive/archive_window.h"
#include "gui/archive/official_archive_download.h"
#include "gui/common/app_context.h"
#include "gui/common/grid_view.h"
#include "gui/common/progress_bar.h"
#include "gui/common/single_window.h"
#include "gui/common/widgets.h"
#include "gui/quadrature/quadrature_window.h"
#include "gui/quintello/quintello_window.h"
#include "gui/shell/mini_draw_list.h"
#include "gui/statistics/statistics_window.h"

namespace quintello {

namespace {

QPushButton* windowButton(QWidget* parent, const char* name, const QString& text,
                          QStyle::StandardPixmap icon) {
  auto* b = new QPushButton(parent->style()->standardIcon(icon), text, parent);
  b->setObjectName(name);
  b->setMinimumHeight(34);
  return b;
}

QLabel* valueLabel(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setFrameShape(QFrame::StyledPanel);
  fitWidthTo(l, dateSample());
  l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return l;
}

}  // namespace

MainWindow::MainWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent),
      context_(context),
      officialArchive_(new OfficialArchiveDownload(context, this)) {
  setObjectName("Container");
  setWindowTitle(AppContext::versionCaption());

  // The draw list on the left, as wide as its columns; buttons and range on the right.
  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  fgpa_ = new GridView(context_.dialogs(), central);
  fgpa_->setObjectName("fgpa");
  layout->addWidget(fgpa_);
  auto* side = new QVBoxLayout;
  side->addWidget(buildButtons());
  side->addWidget(buildRange());
  side->addStretch(1);
  layout->addLayout(side, 1);
  setCentralWidget(central);

  pb1_ = new QProgressBar(this);
  pb1_->setObjectName("Pb1");
  pb1_->setValue(0);
  statusBar()->addPermanentWidget(pb1_, 1);
  progress_ = std::make_unique<ProgressBarAdapter>(pb1_);
  context_.setProgress(progress_.get());

  installHelp(this, context_.help(), {});
  // The quadrature button stays hidden; the keyboard reaches the window.
  auto* quadrature = new QShortcut(QKeySequence(kQuadratureShortcut), this);
  quadrature->setContext(Qt::WindowShortcut);
  connect(quadrature, &QShortcut::activated, this, &MainWindow::openQuadrature);
  // Escape stops the hidden official-archive download, as Command26 stops the update's.
  auto* stop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(stop, &QShortcut::activated, officialArchive_, &OfficialArchiveDownload::cancel);
  fillDrawGrid();
  ImpostazioniArchivioModello();
  connect(&context_, &AppContext::archiveReloaded, this, [this] {
    fillDrawGrid();
    ImpostazioniArchivioModello();
  });
  resize(720, 640);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing the frame window ends the program, as "FINE" does.
  event->accept();
  context_.finish();
}

MainWindow::~MainWindow() {
  if (&context_.progress() == progress_.get()) context_.setProgress(nullptr);
}

QWidget* MainWindow::buildButtons() {
  auto* box = new QWidget(this);
  auto* row = new QVBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  auto* archive = windowButton(box, "Command1", "&Gestione archivio", QStyle::SP_DriveHDIcon);
  auto* quintello = windowButton(box, "Command2", "&Quintello", QStyle::SP_FileDialogContentsView);
  auto* quadrature = windowButton(box, "Command3", "Quadrature", QStyle::SP_FileDialogListView);
  auto* mini =
      windowButton(box, "Command5", "&Mini elenco estrazioni", QStyle::SP_FileDialogDetailedView);
  auto* fine = new QPushButton("&FINE", box);
  fine->setObjectName("Command45");
  fine->setMinimumHeight(34);
  // The official historical archive, saved as estratti.zip: created hidden, nothing shows it.
  auto* storico = new QPushButton("Command4", box);
  storico->setObjectName("Command4");
  storico->setVisible(false);
  connect(storico, &QPushButton::clicked, officialArchive_, &OfficialArchiveDownload::start);
  quadrature->setVisible(false);  // created hidden; nothing shows it
  connect(archive, &QPushButton::clicked, this, &MainWindow::openArchive);
  connect(mini, &QPushButton::clicked, this, &MainWindow::openMiniList);
  connect(quintello, &QPushButton::clicked, this, &MainWindow::openQuintello);
  connect(quadrature, &QPushButton::clicked, this, &MainWindow::openQuadrature);
  auto* statistics =
      windowButton(box, "CommandStatistiche", "Statistiche", QStyle::SP_FileDialogInfoView);
  connect(statistics, &QPushButton::clicked, this, &MainWindow::openStatistics);
  for (auto* b : {archive, quintello, quadrature, mini, storico, statistics}) row->addWidget(b);
  row->addSpacing(12);
  row->addWidget(fine);
  connect(fine, &QPushButton::clicked, this, [this] { context_.finish(); });
  return box;
}

QWidget* MainWindow::buildRange() {
  auto* box = new QGroupBox("Archivio modello", this);
  auto* form = new QFormLayout(box);
  lblInizio_ = valueLabel(box, "LblInizio");
  lblInizioNE_ = valueLabel(box, "Lbl_inizioNE");
  lblFine_ = valueLabel(box, "LblFine");
  lblFineNE_ = valueLabel(box, "Lbl_fineNE");
  lblEv_ = valueLabel(box, "Lbl_Ev");
  auto* first = new QHBoxLayout;
  first->addWidget(lblInizio_);
  first->addWidget(lblInizioNE_);
  auto* last = new QHBoxLayout;
  last->addWidget(lblFine_);
  last->addWidget(lblFineNE_);
  form->addRow("Data e indice inizio", first);
  form->addRow("Data e indice fine", last);
  form->addRow("Estrazioni archivio modello", lblEv_);
  return box;
}

void MainWindow::fillDrawGrid() {
  fgpa_->setGrid(drawListGrid(context_.archive()));
  int width = 2 * fgpa_->frameWidth() + fgpa_->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < fgpa_->grid().cols(); ++c) width += fgpa_->columnWidth(c);
  fgpa_->setFixedWidth(width);
}

archivio* MainWindow::openArchive() {
  return openSingle(archive_, [this] { return new archivio(context_, this); });
}

Estrazioni_minielenco* MainWindow::openMiniList() {
  return openSingle(miniList_, [this] { return new Estrazioni_minielenco(context_, this); });
}

Quintello* MainWindow::openQuintello() {
  return openSingle(quintello_, [this] { return new Quintello(context_, this); });
}

Quadrature* MainWindow::openQuadrature() {
  return openSingle(quadrature_, [this] { return new Quadrature(context_, this); });
}

Statistiche* MainWindow::openStatistics() {
  return openSingle(statistics_, [this] { return new Statistiche(context_, this); });
}

void MainWindow::ImpostazioniArchivioModello() {
  const DrawArchive& archive = context_.archive();
  if (archive.modelList().empty()) {
    for (auto* l : {lblInizio_, lblInizioNE_, lblFine_, lblFineNE_, lblEv_}) l->clear();
    return;
  }
  const int first = archive.modelFirst(), last = archive.modelLast();
  lblInizio_->setText(QString::fromStdString(archive.dateText(first)));
  lblInizioNE_->setText(QString::number(first));
  lblFine_->setText(QString::fromStdString(archive.dateText(last)));
  lblFineNE_->setText(QString::number(last));
  lblEv_->setText(QString::number(last - first + 1));
}

}  // namespace quintello
