#include "gui/quintello/quintello_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/quintello/grid_columns.h"
#include "analysis/quintello/limits.h"
#include "core/draw_views.h"
#include "core/text_number.h"
#include "gui/common/app_context.h"
#include "gui/common/draw_scroll_bar.h"
#include "gui/common/grid_model.h"
#include "gui/common/grid_output.h"
#include "gui/common/grid_view.h"
#include "gui/common/icons.h"
#include "gui/common/single_window.h"
#include "gui/common/wait_cursor.h"
#include "gui/common/widgets.h"
#include "gui/quintello/chance_window.h"
#include "gui/quintello/draw_list_window.h"
#include "gui/quintello/report_windows.h"

namespace quintello {

namespace {

QFont verdana(const QFont& base, bool bold) {
  QFont font("Verdana");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(base.pointSizeF());
  font.setBold(bold);
  return font;
}

// Replaces what a view shows, keeping its current cell and scroll position when the grid
// keeps its shape.
void display(GridView* view, Grid grid) {
  view->modify([&grid](Grid& shown) { shown = std::move(grid); });
}

// The same for a list whose commands act on "the selected row": once it has rows, one is
// current (the first, as in the old grid), so they act without a click first. The program
// choosing it is not the user's choice: no row-change handler runs for it.
void displayList(GridView* view, Grid grid) {
  display(view, std::move(grid));
  if (view->currentGridRow() != 0 || view->grid().dataRows() == 0) return;
  const QSignalBlocker quiet(view);
  view->setCurrentCell(view->grid().fixedRows(), 0);
}

void display(QLabel* label, const Label& caption) {
  label->setText(QString::fromStdString(caption.text));
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, toQColor(caption.back));
  palette.setColor(QPalette::WindowText, toQColor(caption.fore));
  label->setPalette(palette);
}

QLabel* caption(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QLabel* panel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFrameShape(QFrame::StyledPanel);
  label->setAutoFillBackground(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QComboBox* list(QWidget* parent, const char* name) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setMaxVisibleItems(20);
  return combo;
}

void fill(QComboBox* combo, int first, int last) {
  combo->clear();
  for (int v = first; v <= last; ++v) combo->addItem(QString::number(v));
}

// Makes the highlighted row of a list the current row of its grid.
template <class Rows>
void keepSelected(GridView* grid, const Rows& rows) {
  const auto found =
      std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r.highlighted; });
  if (found == rows.end()) return;
  const int row = static_cast<int>(found - rows.begin()) + 1;
  if (grid->currentGridRow() != row) grid->setCurrentCell(row, 1);
}

// Where a window of the given size goes to be placed at `at` without leaving the screen.
QPoint onScreen(QPoint at, QSize size, const QScreen* screen) {
  if (!screen) return at;
  const QRect room = screen->availableGeometry();
  const int x = std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - size.width()));
  const int y = std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - size.height()));
  return {x, y};
}

}  // namespace

Quintello::Quintello(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context), session_(context.archive()) {
  setObjectName("Quintello");
  setWindowTitle("Quintello");
  makeToolWindow(this);

  // Built in the order the Tab key goes through them.
  QWidget* selection = buildSelection();
  QWidget* reference = buildReferenceDraw();
  auto* lists = new QSplitter(Qt::Vertical, this);
  lists->setObjectName("Aree");
  lists->setChildrenCollapsible(false);
  auto* middle = new QWidget(lists);
  auto* middleLayout = new QHBoxLayout(middle);
  middleLayout->setContentsMargins(0, 0, 0, 0);
  middleLayout->addWidget(buildResultList(), 1);
  middleLayout->addWidget(buildDrawDisplay());
  auto* bottom = new QWidget(lists);
  auto* bottomLayout = new QHBoxLayout(bottom);
  bottomLayout->setContentsMargins(0, 0, 0, 0);
  bottomLayout->addWidget(buildTabs(), 3);
  bottomLayout->addWidget(buildForecasts(), 4);
  bottomLayout->addWidget(buildWorkingAreas(), 2);
  lists->addWidget(middle);
  lists->addWidget(bottom);
  lists->setStretchFactor(0, 1);
  lists->setStretchFactor(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  layout->addWidget(selection);
  layout->addWidget(reference);
  layout->addWidget(lists, 1);

  connect(&context_, &AppContext::archiveReloaded, this, &Quintello::followArchive);
  openingSequence();
  resize(1340, 690);
}

Quintello::~Quintello() { session_.setProgress(nullptr); }

Ritardi* Quintello::delaysWindow() const { return ritardi_; }
VerificaPrevisione* Quintello::detailWindow() const { return verifica_; }
Quintello_Riepilogo* Quintello::summaryWindow() const { return riepilogo_; }
ElencoEstrazioni* Quintello::drawListWindow() const { return elencoEstrazioni_; }
Quintello_Caso* Quintello::chanceWindow() const { return caso_; }

// --- Building the window ---------------------------------------------------------------

GridView* Quintello::addGrid(QWidget* parent, const char* name) {
  auto* grid = new GridView(context_.dialogs(), parent);
  grid->setObjectName(name);
  grid->installEventFilter(this);
  return grid;
}

QPushButton* Quintello::addButton(QWidget* parent, const char* name, const QString& text,
                                  void (Quintello::*command)()) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  connect(button, &QPushButton::clicked, this, command);
  return button;
}

QWidget* Quintello::buildSelection() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(2);

  comboG_ = list(box, "ComboG");
  comboR_ = list(box, "ComboR");
  cmdN_ = new QPushButton("1", box);
  cmdN_->setObjectName("CmdN");
  cmdN_->setFont(verdana(cmdN_->font(), true));
  cmdN_->setToolTip("Sceglie il numero");
  cmdN_->setMinimumWidth(60);
  comboC_ = list(box, "ComboC");
  comboPresenze_ = list(box, "ComboPresenze");
  connect(comboG_, &QComboBox::activated, this, &Quintello::chooseGameWheel);
  connect(comboR_, &QComboBox::activated, this, &Quintello::chooseDetectionWheel);
  connect(comboC_, &QComboBox::activated, this, &Quintello::chooseColpi);
  connect(comboPresenze_, &QComboBox::activated, this, &Quintello::choosePresences);
  connect(cmdN_, &QPushButton::clicked, this, &Quintello::openNumberPicker);

  const std::pair<const char*, const char*> captions[] = {{"Label1", "Gioco"},
                                                          {"Label6", "Rilevaz"},
                                                          {"Label2", "Numero"},
                                                          {"Label5", "Colpi"},
                                                          {"Label10", "Presenze"}};
  QWidget* controls[] = {comboG_, comboR_, cmdN_, comboC_, comboPresenze_};
  for (int i = 0; i < 5; ++i) {
    auto* label = caption(box, captions[i].first, captions[i].second);
    label->setBuddy(controls[i]);
    grid->addWidget(label, 0, i);
    grid->addWidget(controls[i], 1, i);
  }

  grid->addWidget(caption(box, "Label3", "POSIZIONI RILEVAZIONE "), 0, 5);
  auto* positions = new QHBoxLayout;
  for (int p = 0; p < kPositions; ++p) {
    auto* check = new QCheckBox(QString::number(p + 1), box);
    check->setObjectName(QString("Ch_P_%1").arg(p + 1));
    check->setChecked(true);
    connect(check, &QCheckBox::toggled, this, [this, p](bool on) {
      session_.inputs().PosizioniRilevazione[static_cast<size_t>(p)] = on;
    });
    chP_[static_cast<size_t>(p)] = check;
    positions->addWidget(check);
  }
  grid->addLayout(positions, 1, 5);

  chFine_ = new QCheckBox("Fine ricerca", box);
  chFine_->setObjectName("Ch_Fine");
  connect(chFine_, &QCheckBox::toggled, this,
          [this](bool on) { session_.inputs().FineRicerca = on; });
  grid->addWidget(chFine_, 1, 6);
  grid->setColumnStretch(7, 1);

  auto* command1 = addButton(box, "Command1", "&ELENCO", &Quintello::elenco);
  QFont bold = command1->font();
  bold.setBold(true);
  command1->setFont(bold);
  command1->setMinimumSize(110, 34);
  grid->addWidget(command1, 0, 8, 2, 1);
  return box;
}

QWidget* Quintello::buildReferenceDraw() {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  hFine_ = new QScrollBar(Qt::Horizontal, box);
  hFine_->setObjectName("hFine");
  hFine_->setToolTip("Estrazione di riferimento");
  hFine_->setAccessibleName("Estrazione di riferimento");
  hFine_->setSingleStep(1);
  hFine_->setPageStep(25);
  hFine_->setMinimumWidth(220);
  hFine_->setMinimumHeight(20);
  useDrawKeys(hFine_);
  connect(hFine_, &QScrollBar::valueChanged, this, &Quintello::referenceDrawUpdate);
  labend_ = panel(box, "labend");
  label4_ = panel(box, "Label4");
  QFont bold = labend_->font();
  bold.setBold(true);
  labend_->setFont(bold);
  fitWidthTo(labend_, "00000 del " + dateSample());
  fitWidthTo(label4_, "Ricavo: 00000 del " + dateSample());

  row->addWidget(hFine_, 2);
  row->addWidget(addButton(box, "Command22", "Ultima", &Quintello::lastDraw));
  row->addWidget(
      addButton(box, "Command23", "Seleziona per numero indice", &Quintello::chooseDrawByIndex));
  row->addWidget(addButton(box, "Command24", "Seleziona per data", &Quintello::chooseDrawByDate));
  row->addWidget(labend_, 1);
  row->addWidget(label4_, 1);
  return box;
}

QWidget* Quintello::buildResultList() {
  auto* box = new QWidget(this);
  fg1_ = addGrid(box, "Fg1");
  connect(fg1_, &GridView::cellClicked, this, &Quintello::clickResultList);
  connect(fg1_, &GridView::cellDoubleClicked, this, [this] { elenco(); });
  lblNC_ = panel(box, "LBL_NC");
  fitWidthTo(lblNC_, "0000");
  lblNC_->setAlignment(Qt::AlignCenter);
  lblNC_->setToolTip("Presenze trovate");
  label7_ = panel(box, "Label7");
  fitWidthTo(label7_, "N° Estraz. = 00000  Freq = 00.00 (00.00)");

  auto* row = new QHBoxLayout;
  row->addWidget(lblNC_);
  row->addWidget(label7_, 1);
  row->addWidget(
      addButton(box, "Command12", "&Verifica previsione", &Quintello::showOccurrenceDetail));
  row->addWidget(addButton(box, "Command25", "Copia tabella", &Quintello::copyResultList));
  row->addWidget(addButton(box, "Command37", "Stampa grid", &Quintello::printResultList));
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(fg1_, 1);
  layout->addLayout(row);
  return box;
}

QWidget* Quintello::buildDrawDisplay() {
  auto* box = new QWidget(this);
  fga_ = addGrid(box, "fga");
  fga_->setSelectionMode(QAbstractItemView::NoSelection);
  fga_->setFocusPolicy(Qt::NoFocus);
  fga_->horizontalHeader()->hide();
  fga_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  fga_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fga_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fga_->setFixedSize(
      (1 + kPositions) * 32 + 2 * fga_->frameWidth(),
      kWheelCount * fga_->verticalHeader()->defaultSectionSize() + 2 * fga_->frameWidth());
  QFont bold = fga_->font();
  bold.setBold(true);
  fga_->setFont(bold);

  fgN_ = addGrid(box, "FgN");
  fgN_->setMinimumWidth(190);
  fgN_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(fga_, 0, Qt::AlignTop);
  layout->addWidget(fgN_);
  return box;
}

QWidget* Quintello::buildTabs() {
  ssTab1_ = new QTabWidget(this);
  ssTab1_->setObjectName("SSTab1");
  ssTab1_->addTab(buildBoardPage(), "Selezione");
  ssTab1_->addTab(buildCombinationPage(), "Elenco");
  ssTab1_->addTab(buildPairPage(), "Coppie");

  // "ELABORA" next to the tabs.
  auto* command27 = addButton(ssTab1_, "Command27", "E&LABORA", &Quintello::elabora);
  QFont bold = command27->font();
  bold.setBold(true);
  command27->setFont(bold);
  ssTab1_->setCornerWidget(command27, Qt::TopRightCorner);
  return ssTab1_;
}

// "Selezione": the number board.
QWidget* Quintello::buildBoardPage() {
  auto* selezione = new QWidget(ssTab1_);
  fg90_ = addGrid(selezione, "Fg90");
  fg90_->setSelectionMode(QAbstractItemView::NoSelection);
  fg90_->horizontalHeader()->hide();
  fg90_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  fg90_->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  fg90_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fg90_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fg90_->setMinimumSize(10 * 28, 9 * 18);
  connect(fg90_, &GridView::cellClicked, this, &Quintello::clickBoard);
  auto* command2 =
      addButton(selezione, "Command2", "&Aggiunge previsione", &Quintello::addFromBoard);
  auto* command8 =
      addButton(selezione, "Command8", "Command8", &Quintello::addFromBoardThroughCombinations);
  command8->hide();  // created hidden
  auto* command3 = new QPushButton(paintedIcon(PaintedIcon::ClearHighlights), QString(), selezione);
  command3->setObjectName("Command3");
  command3->setToolTip("Cancella i numeri segnati");
  command3->setAccessibleName("Cancella i numeri segnati");
  connect(command3, &QPushButton::clicked, this, &Quintello::clearBoard);
  auto* boardButtons = new QHBoxLayout;
  boardButtons->addWidget(command2);
  boardButtons->addWidget(command8);
  boardButtons->addStretch(1);
  boardButtons->addWidget(command3);
  auto* selezioneLayout = new QVBoxLayout(selezione);
  selezioneLayout->addWidget(fg90_, 1);
  selezioneLayout->addLayout(boardButtons);
  return selezione;
}

// "Elenco": the combination list.
QWidget* Quintello::buildCombinationPage() {
  auto* elencoPage = new QWidget(ssTab1_);
  comboN_ = list(elencoPage, "ComboN");
  connect(comboN_, &QComboBox::activated, this, &Quintello::chooseCombinationSize);
  auto* label8 = caption(elencoPage, "Label8", "Numeri");
  label8->setBuddy(comboN_);
  fgCC_ = addGrid(elencoPage, "Fg_CC");
  // The yellow row is the selected one: it follows clicks and the keyboard.
  fgCC_->setSelectionMode(QAbstractItemView::NoSelection);
  const auto highlightCombination = [this](int row) {
    if (row < 1) return;
    session_.highlightCombination(row);
    display(fgCC_, renderFg_CC(session_.search()));
  };
  connect(fgCC_, &GridView::cellClicked, this, highlightCombination);
  connect(fgCC_, &GridView::currentRowChanged, this, highlightCombination);
  connect(fgCC_, &GridView::cellDoubleClicked, this, [this] { addFromCombinationList(); });
  auto* sizeRow = new QHBoxLayout;
  sizeRow->addWidget(label8);
  sizeRow->addWidget(comboN_);
  sizeRow->addStretch(1);
  auto* elencoButtons = new QHBoxLayout;
  elencoButtons->addWidget(addButton(elencoPage, "Cmd_aggiunge", "&Aggiunge previsione",
                                     &Quintello::addFromCombinationList));
  elencoButtons->addStretch(1);
  elencoButtons->addWidget(
      addButton(elencoPage, "Command11", "Copia tabella", &Quintello::copyCombinations));
  auto* elencoLayout = new QVBoxLayout(elencoPage);
  elencoLayout->addLayout(sizeRow);
  elencoLayout->addWidget(fgCC_, 1);
  elencoLayout->addLayout(elencoButtons);
  return elencoPage;
}

// "Coppie": the pair list.
QWidget* Quintello::buildPairPage() {
  auto* coppie = new QWidget(ssTab1_);
  fg9090_ = addGrid(coppie, "Fg9090");
  fg9090_->setSelectionBehavior(QAbstractItemView::SelectRows);
  connect(fg9090_, &GridView::cellDoubleClicked, this, [this] { addPair(); });
  auto* coppieLayout = new QVBoxLayout(coppie);
  auto* pairSearch = new QHBoxLayout;
  pairSearch->addWidget(addButton(coppie, "Command60", "ELABORA", &Quintello::searchPairs));
  pairSearch->addStretch(1);
  coppieLayout->addLayout(pairSearch);
  coppieLayout->addWidget(fg9090_, 1);
  auto* pairAdd = new QHBoxLayout;
  pairAdd->addWidget(addButton(coppie, "Command7", "&Aggiunge previsione", &Quintello::addPair));
  pairAdd->addStretch(1);
  coppieLayout->addLayout(pairAdd);
  return coppie;
}

QWidget* Quintello::buildForecasts() {
  auto* box = new QWidget(this);
  auto* label12 = caption(box, "Label12", "Elenco previsioni");
  QFont bold = label12->font();
  bold.setBold(true);
  label12->setFont(bold);
  fgZZ_ = addGrid(box, "Fg_ZZ");
  fgZZ_->setSelectionMode(QAbstractItemView::NoSelection);
  const auto highlightForecast = [this](int row) {
    if (row < 1) return;
    session_.highlightForecast(row);
    displayList(fgZZ_, renderFg_ZZ(session_.book()));
  };
  connect(fgZZ_, &GridView::cellClicked, this, highlightForecast);
  connect(fgZZ_, &GridView::currentRowChanged, this, highlightForecast);

  lblT_ = panel(box, "Lbl_T");
  lblS_ = panel(box, "Lbl_S");
  for (auto* counter : {lblT_, lblS_}) {
    counter->setFont(verdana(counter->font(), true));
    counter->setAlignment(Qt::AlignCenter);
    fitWidthTo(counter, "0000");
  }
  auto* label9 = caption(box, "Label9", "Coperti");
  auto* label11 = caption(box, "Label11", "Scoperti");
  for (auto* label : {label9, label11}) label->setFont(verdana(label->font(), false));
  auto* counters = new QHBoxLayout;
  counters->addWidget(label9);
  counters->addWidget(lblT_);
  counters->addSpacing(12);
  counters->addWidget(label11);
  counters->addWidget(lblS_);
  counters->addStretch(1);

  chVerificaPrev_ = new QCheckBox("Verifica automatica", box);
  chVerificaPrev_->setObjectName("Ch_verificaPrev");
  connect(chVerificaPrev_, &QCheckBox::toggled, this,
          [this](bool on) { session_.inputs().VerificaAutomatica = on; });
  auto* command21 =
      new QPushButton(style()->standardIcon(QStyle::SP_FileDialogInfoView), QString(), box);
  command21->setObjectName("Command21");
  command21->setToolTip("Ritardi delle previsioni");
  command21->setAccessibleName("Ritardi delle previsioni");
  connect(command21, &QPushButton::clicked, this, &Quintello::showDelays);

  auto* buttons = new QGridLayout;
  buttons->setVerticalSpacing(3);
  buttons->addWidget(
      addButton(box, "Cmd_Rimuove", "&Rimuove riga selezionata", &Quintello::removeForecast), 0, 0,
      1, 2);
  buttons->addWidget(addButton(box, "Cmd_VerificaPrevisioni", "Visualizza s&faldamenti",
                               &Quintello::verifyForecasts),
                     1, 0, 1, 2);
  buttons->addWidget(chVerificaPrev_, 2, 0, 1, 2);
  buttons->addWidget(addButton(box, "Command10", "Riepilogo &statistico", &Quintello::showSummary),
                     3, 0, 1, 2);
  buttons->addWidget(
      addButton(box, "CmdEleEstraz", "Elenco ris&tretto", &Quintello::showRestrictedList), 4, 0);
  buttons->addWidget(addButton(box, "Command5", "Elenco com&pleto", &Quintello::showCompleteList),
                     4, 1);
  buttons->addWidget(
      addButton(box, "CmdCaso", "Confronto con il caso", &Quintello::showChanceComparison), 5, 0, 1,
      2);
  buttons->addWidget(command21, 6, 0, 1, 2);
  buttons->addWidget(addButton(box, "Command4", "Copia tabella", &Quintello::copyForecasts), 7, 0);
  buttons->addWidget(addButton(box, "Command6", "Stampa grid", &Quintello::printForecasts), 7, 1);
  buttons->setRowStretch(8, 1);

  auto* listColumn = new QVBoxLayout;
  listColumn->addWidget(label12);
  listColumn->addWidget(fgZZ_, 1);
  listColumn->addLayout(counters);
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(listColumn, 1);
  layout->addLayout(buttons);
  return box;
}

QWidget* Quintello::buildWorkingAreas() {
  // The working tables of the combination search, for the curious: the draws of the
  // uncovered windows, the distinct combinations with their pair scores, one line per restart.
  auto* box = new QWidget(this);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  const auto area = [&](const char* name, const QString& title) {
    auto* grid = addGrid(box, name);
    grid->setToolTip(title);
    grid->setAccessibleName(title);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 2);
    layout->addWidget(caption(box, "", title));
    layout->addWidget(grid, 1);
    return grid;
  };
  fgU_ = area("FgU", "Estrazioni scoperte");
  fgI2_ = area("Fg_I2", "Combinazioni trovate");
  list3_ = area("List3", "Ripartenze");
  // One restart's improvements; the search empties it after each restart.
  listResults_ = new QListWidget(box);
  listResults_->setObjectName("listResults");
  listResults_->hide();
  auto* command29 = addButton(box, "Command29", "PULISCE cmd29", &Quintello::pulisce);
  auto* command31 = addButton(box, "Command31", "Command31", &Quintello::coverBestCombinations);
  command29->hide();  // both created hidden
  command31->hide();
  return box;
}

// --- Opening -----------------------------------------------------------------------------

void Quintello::openingSequence() {
  installHelp(this, context_.help(), kHelpFile);
  displayList(fg1_, renderFg1(session_.list()));  // every column centred
  showBoard();
  fill(comboN_, kNumeriCombinazioneChoice.min, kNumeriCombinazioneChoice.max);
  choose(comboN_, kNumeriCombinazioneChoice.initial - kNumeriCombinazioneChoice.min,
         &Quintello::chooseCombinationSize);
  session_.emptyOccurrenceList();
  displayList(fg1_, renderFg1(session_.list()));
  {
    const QSignalBlocker blocker(hFine_);
    const int n = context_.archive().count();
    hFine_->setRange(std::min(1, n), n);
    hFine_->setValue(n);
  }
  referenceDrawUpdate();
  cmdN_->setText("1");
  fill(comboC_, kColpiChoice.min, kColpiChoice.max);
  choose(comboC_, kColpiChoice.initial - kColpiChoice.min, &Quintello::chooseColpi);
  for (QComboBox* wheels : {comboR_, comboG_}) {
    wheels->clear();
    for (int w = 0; w < kWheelCount; ++w)
      wheels->addItem(QString::fromUtf8(SiglaRuota[static_cast<size_t>(w)].data(), 2));
  }
  choose(comboR_, 0, &Quintello::chooseDetectionWheel);
  choose(comboG_, 0, &Quintello::chooseGameWheel);
  referenceDrawUpdate();
  fill(comboPresenze_, kPresenzeChoice.min, kPresenzeChoice.max);
  // The presences chosen, "ELENCO" runs.
  choose(comboPresenze_, kPresenzeChoice.initial - kPresenzeChoice.min,
         &Quintello::choosePresences);
}

// --- Selection controls ----------------------------------------------------------------------

void Quintello::choose(QComboBox* combo, int index, void (Quintello::*handler)(int)) {
  combo->setCurrentIndex(index);
  (this->*handler)(index);
}

void Quintello::chooseGameWheel(int index) {
  if (index >= 0) session_.inputs().RuotaGioco = index;
}

void Quintello::chooseDetectionWheel(int index) {
  if (index < 0) return;
  session_.inputs().RuotaRilevazione = index;
  choose(comboG_, index, &Quintello::chooseGameWheel);
}

void Quintello::chooseColpi(int index) {
  if (index >= 0) session_.inputs().Colpi = leadingInteger(comboC_->itemText(index).toStdString());
}

void Quintello::chooseCombinationSize(int index) {
  if (index < 0) return;
  session_.inputs().NumeriCombinazione = leadingInteger(comboN_->itemText(index).toStdString());
  display(fgI2_,
          renderFg_I2(session_.search(), session_.combinationSize()));  // columns beyond k hidden
}

void Quintello::choosePresences(int index) {
  if (index >= 0) elenco();
}

void Quintello::referenceDrawUpdate() {
  auto& inputs = session_.inputs();
  inputs.NumeroCercato = leadingInteger(cmdN_->text().toStdString());
  inputs.EstrazioneCorrente = hFine_->value();
  const int draw = inputs.EstrazioneCorrente;
  const QString date = QString::fromStdString(context_.archive().dateText(draw));
  // An archive without draws has no reference draw to name.
  labend_->setText(draw > 0 ? QString("%1 del %2").arg(draw).arg(date) : QString());
  label4_->setText(draw > 0 ? QString("%1  %2").arg(draw).arg(date) : QString());
  showDraw(draw, 0);
}

void Quintello::followArchive() {
  // The scroll bar never goes past the new last draw; a reference draw beyond it moves to it.
  // The lists built before stay as they are until the next "ELENCO".
  {
    const QSignalBlocker blocker(hFine_);
    const int n = context_.archive().count();
    hFine_->setRange(std::min(1, n), n);
  }
  referenceDrawUpdate();
}

void Quintello::lastDraw() { hFine_->setValue(hFine_->maximum()); }

void Quintello::chooseDrawByIndex() {
  const auto answer =
      context_.dialogs().input("Inserire il n° indice dell'archivio modello.", "Scelta estrazione",
                               QString::number(hFine_->value()));
  if (!answer) return;
  if (const auto draw = drawIndexFromAnswer(answer->toStdString(), context_.archive().count()))
    hFine_->setValue(*draw);
}

void Quintello::chooseDrawByDate() {
  const auto answer = context_.dialogs().input(
      "Data ?", "Ricerca per data GG/MM/AAAA",
      QString::fromStdString(context_.archive().dateText(hFine_->value())));
  // Cancel reads as an empty answer, which no draw date matches.
  if (const auto draw = findDrawByDate(context_.archive(), answer.value_or("").toStdString())) {
    hFine_->setValue(*draw);
    return;
  }
  context_.dialogs().message("Data non trovata", "Cerca data", Dialogs::Icon::Information);
}

// --- Number picker and number board ----------------------------------------------------------

void Quintello::openNumberPicker() {
  if (picker_) {
    showAndRaise(picker_);
    return;
  }
  session_.inputs().NumeroCercato = leadingInteger(cmdN_->text().toStdString());
  auto* picker = new Numeri(*this, context_.dialogs(), this);
  picker_ = picker;
  picker->setModal(true);
  // The reference draw's numbers on the detection wheel, in green.
  std::array<int, kPositions> drawn{};
  const auto stored =
      context_.archive().wheel(hFine_->value(), std::max(comboR_->currentIndex(), 0));
  std::copy(stored.begin(), stored.end(), drawn.begin());
  picker->markNumbers(drawn);
  picker->adjustSize();
  picker->move(
      onScreen(cmdN_->mapToGlobal(QPoint(0, 0)), picker->frameGeometry().size(), cmdN_->screen()));
  connect(picker, &QDialog::finished, this, [this, picker] {
    picker->deleteLater();
    referenceDrawUpdate();
  });
  picker->show();
}

void Quintello::numberPicked(int number) {
  cmdN_->setText(QString::number(number));
  session_.emptyOccurrenceList();
  displayList(fg1_, renderFg1(session_.list()));
}

void Quintello::clickBoard(int row, int col) {
  const int number = boardNumber(row, col);
  if (number == 0) return;
  // Marked or unmarked, the board shows it; an eighth number stays as it was.
  static_cast<void>(session_.toggleBoardNumber(number));
  showBoard();
}

void Quintello::clearBoard() {
  session_.clearBoard();
  showBoard();
}

// --- Result list -------------------------------------------------------------------------

void Quintello::clickResultList(int row, int col) {
  const auto& rows = session_.occurrences();
  if (row < 1 || row > static_cast<int>(rows.size())) return;
  const OccurrenceRow& occurrence = rows[static_cast<size_t>(row - 1)];
  // A list built before the archive lost draws may name draws that are gone: nothing to show.
  const int last = context_.archive().count();
  if (col == fg1::kEstr || col == fg1::kDataEstraz) {
    if (occurrence.Estr > last) return;
    label4_->setText(QString("Ricavo: %1 del %2")
                         .arg(occurrence.Estr)
                         .arg(QString::fromStdString(occurrence.DataEstraz)));
    showDraw(occurrence.Estr, 0);
  } else if (col == fg1::kNEst || col == fg1::kDataEsito) {
    if (!occurrence.hasOutcome() || occurrence.NEst > last) return;
    label4_->setText(QString("Esito: %1 del %2")
                         .arg(occurrence.NEst)
                         .arg(QString::fromStdString(occurrence.DataEsito)));
    showDraw(occurrence.NEst, row);
  }
}

// --- Commands ----------------------------------------------------------------------------

void Quintello::prepareCommand() {
  session_.setProgress(&context_.progress());
  session_.inputs().EstrazioneCorrente = hFine_->value();
}

void Quintello::elenco() {
  prepareCommand();
  auto& inputs = session_.inputs();
  inputs.NumeroCercato = leadingInteger(cmdN_->text().toStdString());
  inputs.NumPresenze = leadingInteger(comboPresenze_->currentText().toStdString());
  for (int p = 0; p < kPositions; ++p)
    inputs.PosizioniRilevazione[static_cast<size_t>(p)] = chP_[static_cast<size_t>(p)]->isChecked();
  inputs.FineRicerca = chFine_->isChecked();
  session_.elenco();
  showSession();
  showPairs();
}

void Quintello::elabora() {
  const WaitCursor busy;
  prepareCommand();
  session_.elabora(context_.progress());
  showSession();
}

void Quintello::pulisce() {
  session_.pulisce();
  showSession();
}

void Quintello::coverBestCombinations() {
  prepareCommand();
  session_.coverBestCombinations();
  showSession();
}

void Quintello::searchPairs() {
  const WaitCursor busy;
  prepareCommand();
  session_.searchPairs(context_.progress());
  showPairs();
}

void Quintello::addFromCombinationList() {
  const WaitCursor busy;
  prepareCommand();
  // A refused command changes nothing and shows nothing.
  if (session_.addFromCombinationList(selectedRow(fgCC_))) showSession();
}

void Quintello::addFromBoard() {
  const WaitCursor busy;
  prepareCommand();
  // A refused command changes nothing and shows nothing.
  if (session_.addFromBoard()) showSession();
}

void Quintello::addFromBoardThroughCombinations() {
  const WaitCursor busy;
  prepareCommand();
  // A refused command changes nothing and shows nothing.
  if (session_.addFromBoardThroughCombinationList()) showSession();
}

void Quintello::addPair() {
  const WaitCursor busy;
  prepareCommand();
  // A refused command changes nothing and shows nothing.
  if (session_.addPair(selectedRow(fg9090_))) showSession();
}

void Quintello::removeForecast() {
  const WaitCursor busy;
  prepareCommand();
  // A refused command changes nothing and shows nothing.
  if (session_.removeForecast(selectedRow(fgZZ_))) showSession();
}

void Quintello::verifyForecasts() {
  prepareCommand();
  session_.verifyForecasts();
  showSession();
}

// --- Reports -----------------------------------------------------------------------------

void Quintello::showOccurrenceDetail() {
  auto detail = session_.occurrenceDetail(selectedRow(fg1_));
  if (!detail) return;
  openSingle(verifica_, [this] {
    return new VerificaPrevisione(context_.dialogs(), this);
  })->fill(std::move(*detail));
}

void Quintello::showSummary() {
  openSingle(riepilogo_, [this] {
    return new Quintello_Riepilogo(context_.dialogs(), this);
  })->fill(session_.statisticalSummary());
}

void Quintello::showRestrictedList() {
  auto list = session_.restrictedDrawList(selectedRow(fgZZ_));
  if (!list) return;
  openSingle(elencoEstrazioni_, [this] {
    return new ElencoEstrazioni(context_.dialogs(), this);
  })->fill(std::move(list->FgE), QString::fromStdString(list->Label1.text));
}

void Quintello::showCompleteList() {
  auto list = session_.completeDrawList(selectedRow(fgZZ_));
  if (!list) return;
  openSingle(elencoEstrazioni_, [this] {
    return new ElencoEstrazioni(context_.dialogs(), this);
  })->fill(std::move(list->FgE), QString::fromStdString(list->Label1.text));
}

void Quintello::showDelays() {
  auto report = session_.delaysReport();
  if (!report) return;
  openSingle(ritardi_, [this] {
    return new Ritardi(context_.dialogs(), this);
  })->fill(std::move(*report));
}

void Quintello::showChanceComparison() {
  openSingle(caso_, [this] {
    return new Quintello_Caso(context_.dialogs(), context_.help(), this);
  })->fill(session_.chanceReport());
}

void Quintello::copyResultList() { copyGridToClipboard(fg1_->grid()); }
void Quintello::copyForecasts() { copyGridToClipboard(fgZZ_->grid()); }
void Quintello::copyCombinations() { copyGridToClipboard(fgCC_->grid()); }

void Quintello::printResultList() {
  printGrid(context_.dialogs(), fg1_->grid(), kPrintMarginsFg1, kPrintMarginsFg1);
}

void Quintello::printForecasts() {
  printGrid(context_.dialogs(), fgZZ_->grid(), kPrintMarginsFg_ZZ, kPrintMarginsFg_ZZ);
}

// --- Showing the session -------------------------------------------------------------------

void Quintello::showSession() {
  displayList(fg1_, renderFg1(session_.list()));
  display(fgN_, renderFgN(session_.list()));
  displayList(fgZZ_, renderFg_ZZ(session_.book()));
  display(fgCC_, renderFg_CC(session_.search()));
  display(fgU_, renderFgU(session_.search()));
  display(fgI2_, renderFg_I2(session_.search(), session_.combinationSize()));
  display(list3_, renderList3(session_.search()));
  const QuintelloLabels labels = renderLabels(session_.list(), session_.book());
  display(lblNC_, labels.LBL_NC);
  display(label7_, labels.Label7);
  display(lblT_, labels.Lbl_T);
  display(lblS_, labels.Lbl_S);
  // After a list changed, the yellow row stays the selected one.
  keepSelected(fgCC_, session_.search().combinations());
  keepSelected(fgZZ_, session_.book().forecasts());
  // The pair add switches the combination size to one number.
  const int k = session_.inputs().NumeriCombinazione;
  if (k >= 1 && k <= comboN_->count() && comboN_->currentIndex() != k - 1) {
    const QSignalBlocker blocker(comboN_);
    comboN_->setCurrentIndex(k - 1);
  }
}

void Quintello::showPairs() { display(fg9090_, renderFg9090(session_.search())); }

void Quintello::showBoard() { display(fg90_, renderFg90(session_.boardNumbers())); }

void Quintello::showDraw(int draw, int outcomeRow) {
  display(fga_, session_.renderFga(draw, outcomeRow));
}

int Quintello::selectedRow(const GridView* grid) { return grid->currentGridRow(); }

// --- Keyboard ------------------------------------------------------------------------------

bool Quintello::eventFilter(QObject* watched, QEvent* event) {
  // Space (or Enter) on a grid's current cell works as a click on it; Enter on the two lists
  // that add forecasts works as their double click.
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  const bool space = key == Qt::Key_Space;
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (!space && !enter) return QWidget::eventFilter(watched, event);
  auto* grid = qobject_cast<GridView*>(watched);
  if (!grid) return QWidget::eventFilter(watched, event);
  if (enter && (grid == fgCC_ || grid == fg9090_)) {
    emit grid->cellDoubleClicked(grid->currentGridRow(), grid->currentGridCol());
    return true;
  }
  if (grid == fg1_ || grid == fg90_ || grid == fgCC_ || grid == fgZZ_) {
    emit grid->cellClicked(grid->currentGridRow(), grid->currentGridCol());
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quintello
