#include "gui/quintello/quintello_ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/common/draw_scroll_bar.h"
#include "gui/common/grid_view.h"
#include "gui/common/icons.h"
#include "gui/common/widgets.h"
#include "gui/quintello/quintello_window.h"

namespace quintello {

namespace {

QFont verdana(const QFont& base, bool bold) {
  QFont font("Verdana");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(base.pointSizeF());
  font.setBold(bold);
  return font;
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

// Builds the window part by part, filling in the controls as it goes.
struct Builder {
  QuintelloUi& ui;
  Quintello& window;
  Dialogs& dialogs;

  void buildWindow();
  QWidget* buildSelection();
  QWidget* buildReferenceDraw();
  QWidget* buildResultList();
  QWidget* buildDrawDisplay();
  QWidget* buildTabs();
  QWidget* buildBoardPage();
  QWidget* buildCombinationPage();
  QWidget* buildPairPage();
  QWidget* buildForecasts();
  QWidget* buildWorkingAreas();
  GridView* addGrid(QWidget* parent, const char* name);
  QPushButton* addButton(QWidget* parent, const char* name, const QString& caption,
                         void (Quintello::*command)());
};

void Builder::buildWindow() {
  QWidget* selection = buildSelection();
  QWidget* reference = buildReferenceDraw();
  auto* lists = new QSplitter(Qt::Vertical, &window);
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

  auto* layout = new QVBoxLayout(&window);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  layout->addWidget(selection);
  layout->addWidget(reference);
  layout->addWidget(lists, 1);
}

GridView* Builder::addGrid(QWidget* parent, const char* name) {
  auto* grid = new GridView(dialogs, parent);
  grid->setObjectName(name);
  return grid;
}

QPushButton* Builder::addButton(QWidget* parent, const char* name, const QString& text,
                                void (Quintello::*command)()) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  QObject::connect(button, &QPushButton::clicked, &window, command);
  return button;
}

QWidget* Builder::buildSelection() {
  auto* box = new QWidget(&window);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(2);

  ui.comboG_ = list(box, "ComboG");
  ui.comboR_ = list(box, "ComboR");
  ui.cmdN_ = new QPushButton("1", box);
  ui.cmdN_->setObjectName("CmdN");
  ui.cmdN_->setFont(verdana(ui.cmdN_->font(), true));
  ui.cmdN_->setToolTip("Sceglie il numero");
  ui.cmdN_->setMinimumWidth(60);
  ui.comboC_ = list(box, "ComboC");
  ui.comboPresenze_ = list(box, "ComboPresenze");
  QObject::connect(ui.cmdN_, &QPushButton::clicked, &window, &Quintello::openNumberPicker);

  const std::pair<const char*, const char*> captions[] = {{"Label1", "Gioco"},
                                                          {"Label6", "Rilevaz"},
                                                          {"Label2", "Numero"},
                                                          {"Label5", "Colpi"},
                                                          {"Label10", "Presenze"}};
  QWidget* controls[] = {ui.comboG_, ui.comboR_, ui.cmdN_, ui.comboC_, ui.comboPresenze_};
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
    ui.chP_[static_cast<size_t>(p)] = check;
    positions->addWidget(check);
  }
  grid->addLayout(positions, 1, 5);

  ui.chFine_ = new QCheckBox("Fine ricerca", box);
  ui.chFine_->setObjectName("Ch_Fine");
  grid->addWidget(ui.chFine_, 1, 6);
  grid->setColumnStretch(7, 1);

  auto* command1 = addButton(box, "Command1", "&ELENCO", &Quintello::elenco);
  QFont bold = command1->font();
  bold.setBold(true);
  command1->setFont(bold);
  command1->setMinimumSize(110, 34);
  grid->addWidget(command1, 0, 8, 2, 1);
  return box;
}

QWidget* Builder::buildReferenceDraw() {
  auto* box = new QWidget(&window);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  ui.hFine_ = new QScrollBar(Qt::Horizontal, box);
  ui.hFine_->setObjectName("hFine");
  ui.hFine_->setToolTip("Estrazione di riferimento");
  ui.hFine_->setAccessibleName("Estrazione di riferimento");
  ui.hFine_->setSingleStep(1);
  ui.hFine_->setPageStep(25);
  ui.hFine_->setMinimumWidth(220);
  ui.hFine_->setMinimumHeight(20);
  useDrawKeys(ui.hFine_);
  ui.labend_ = panel(box, "labend");
  ui.label4_ = panel(box, "Label4");
  QFont bold = ui.labend_->font();
  bold.setBold(true);
  ui.labend_->setFont(bold);
  fitWidthTo(ui.labend_, "00000 del " + dateSample());
  fitWidthTo(ui.label4_, "Ricavo: 00000 del " + dateSample());

  row->addWidget(ui.hFine_, 2);
  row->addWidget(addButton(box, "Command22", "Ultima", &Quintello::lastDraw));
  row->addWidget(
      addButton(box, "Command23", "Seleziona per numero indice", &Quintello::chooseDrawByIndex));
  row->addWidget(addButton(box, "Command24", "Seleziona per data", &Quintello::chooseDrawByDate));
  row->addWidget(ui.labend_, 1);
  row->addWidget(ui.label4_, 1);
  return box;
}

QWidget* Builder::buildResultList() {
  auto* box = new QWidget(&window);
  ui.fg1_ = addGrid(box, "Fg1");
  // Space or Enter on a grid's current cell works as a click on it; Enter on the two lists
  // that add forecasts works as their double click.
  ui.fg1_->setKeyClicks(GridView::KeyClick::Click, GridView::KeyClick::Click);
  ui.lblNC_ = panel(box, "LBL_NC");
  fitWidthTo(ui.lblNC_, "0000");
  ui.lblNC_->setAlignment(Qt::AlignCenter);
  ui.lblNC_->setToolTip("Presenze trovate");
  ui.label7_ = panel(box, "Label7");
  fitWidthTo(ui.label7_, "N° Estraz. = 00000  Freq = 00.00 (00.00)");

  auto* row = new QHBoxLayout;
  row->addWidget(ui.lblNC_);
  row->addWidget(ui.label7_, 1);
  row->addWidget(
      addButton(box, "Command12", "&Verifica previsione", &Quintello::showOccurrenceDetail));
  row->addWidget(addButton(box, "Command25", "Copia tabella", &Quintello::copyResultList));
  row->addWidget(addButton(box, "Command37", "Stampa grid", &Quintello::printResultList));
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ui.fg1_, 1);
  layout->addLayout(row);
  return box;
}

QWidget* Builder::buildDrawDisplay() {
  auto* box = new QWidget(&window);
  ui.fga_ = addGrid(box, "fga");
  ui.fga_->setSelectionMode(QAbstractItemView::NoSelection);
  ui.fga_->setFocusPolicy(Qt::NoFocus);
  ui.fga_->horizontalHeader()->hide();
  ui.fga_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  ui.fga_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ui.fga_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ui.fga_->setFixedSize(
      (1 + kPositions) * 32 + 2 * ui.fga_->frameWidth(),
      kWheelCount * ui.fga_->verticalHeader()->defaultSectionSize() + 2 * ui.fga_->frameWidth());
  QFont bold = ui.fga_->font();
  bold.setBold(true);
  ui.fga_->setFont(bold);

  ui.fgN_ = addGrid(box, "FgN");
  ui.fgN_->setMinimumWidth(190);
  ui.fgN_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ui.fga_, 0, Qt::AlignTop);
  layout->addWidget(ui.fgN_);
  return box;
}

QWidget* Builder::buildTabs() {
  ui.ssTab1_ = new QTabWidget(&window);
  ui.ssTab1_->setObjectName("SSTab1");
  ui.ssTab1_->addTab(buildBoardPage(), "Selezione");
  ui.ssTab1_->addTab(buildCombinationPage(), "Elenco");
  ui.ssTab1_->addTab(buildPairPage(), "Coppie");

  // "ELABORA" next to the tabs.
  auto* command27 = addButton(ui.ssTab1_, "Command27", "E&LABORA", &Quintello::elabora);
  QFont bold = command27->font();
  bold.setBold(true);
  command27->setFont(bold);
  ui.ssTab1_->setCornerWidget(command27, Qt::TopRightCorner);
  return ui.ssTab1_;
}

// "Selezione": the number board.
QWidget* Builder::buildBoardPage() {
  auto* selezione = new QWidget(ui.ssTab1_);
  ui.fg90_ = addGrid(selezione, "Fg90");
  ui.fg90_->setKeyClicks(GridView::KeyClick::Click, GridView::KeyClick::Click);
  ui.fg90_->setSelectionMode(QAbstractItemView::NoSelection);
  ui.fg90_->horizontalHeader()->hide();
  ui.fg90_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  ui.fg90_->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  ui.fg90_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ui.fg90_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ui.fg90_->setMinimumSize(10 * 28, 9 * 18);
  auto* command2 =
      addButton(selezione, "Command2", "&Aggiunge previsione", &Quintello::addFromBoard);
  auto* command8 =
      addButton(selezione, "Command8", "Command8", &Quintello::addFromBoardThroughCombinations);
  command8->hide();  // created hidden
  auto* command3 = new QPushButton(paintedIcon(PaintedIcon::ClearHighlights), QString(), selezione);
  command3->setObjectName("Command3");
  command3->setToolTip("Cancella i numeri segnati");
  command3->setAccessibleName("Cancella i numeri segnati");
  QObject::connect(command3, &QPushButton::clicked, &window, &Quintello::clearBoard);
  auto* boardButtons = new QHBoxLayout;
  boardButtons->addWidget(command2);
  boardButtons->addWidget(command8);
  boardButtons->addStretch(1);
  boardButtons->addWidget(command3);
  auto* selezioneLayout = new QVBoxLayout(selezione);
  selezioneLayout->addWidget(ui.fg90_, 1);
  selezioneLayout->addLayout(boardButtons);
  return selezione;
}

// "Elenco": the combination list.
QWidget* Builder::buildCombinationPage() {
  auto* elencoPage = new QWidget(ui.ssTab1_);
  ui.comboN_ = list(elencoPage, "ComboN");
  auto* label8 = caption(elencoPage, "Label8", "Numeri");
  label8->setBuddy(ui.comboN_);
  ui.fgCC_ = addGrid(elencoPage, "Fg_CC");
  ui.fgCC_->setKeyClicks(GridView::KeyClick::Click, GridView::KeyClick::DoubleClick);
  // The yellow row is the selected one: it follows clicks and the keyboard.
  ui.fgCC_->setSelectionMode(QAbstractItemView::NoSelection);
  auto* sizeRow = new QHBoxLayout;
  sizeRow->addWidget(label8);
  sizeRow->addWidget(ui.comboN_);
  sizeRow->addStretch(1);
  auto* elencoButtons = new QHBoxLayout;
  elencoButtons->addWidget(addButton(elencoPage, "Cmd_aggiunge", "&Aggiunge previsione",
                                     &Quintello::addFromCombinationList));
  elencoButtons->addStretch(1);
  elencoButtons->addWidget(
      addButton(elencoPage, "Command11", "Copia tabella", &Quintello::copyCombinations));
  auto* elencoLayout = new QVBoxLayout(elencoPage);
  elencoLayout->addLayout(sizeRow);
  elencoLayout->addWidget(ui.fgCC_, 1);
  elencoLayout->addLayout(elencoButtons);
  return elencoPage;
}

// "Coppie": the pair list.
QWidget* Builder::buildPairPage() {
  auto* coppie = new QWidget(ui.ssTab1_);
  ui.fg9090_ = addGrid(coppie, "Fg9090");
  ui.fg9090_->setKeyClicks(GridView::KeyClick::None, GridView::KeyClick::DoubleClick);
  ui.fg9090_->setSelectionBehavior(QAbstractItemView::SelectRows);
  auto* coppieLayout = new QVBoxLayout(coppie);
  auto* pairSearch = new QHBoxLayout;
  pairSearch->addWidget(addButton(coppie, "Command60", "ELABORA", &Quintello::searchPairs));
  pairSearch->addStretch(1);
  coppieLayout->addLayout(pairSearch);
  coppieLayout->addWidget(ui.fg9090_, 1);
  auto* pairAdd = new QHBoxLayout;
  pairAdd->addWidget(addButton(coppie, "Command7", "&Aggiunge previsione", &Quintello::addPair));
  pairAdd->addStretch(1);
  coppieLayout->addLayout(pairAdd);
  return coppie;
}

QWidget* Builder::buildForecasts() {
  auto* box = new QWidget(&window);
  auto* label12 = caption(box, "Label12", "Elenco previsioni");
  QFont bold = label12->font();
  bold.setBold(true);
  label12->setFont(bold);
  ui.fgZZ_ = addGrid(box, "Fg_ZZ");
  ui.fgZZ_->setKeyClicks(GridView::KeyClick::Click, GridView::KeyClick::Click);
  ui.fgZZ_->setSelectionMode(QAbstractItemView::NoSelection);

  ui.lblT_ = panel(box, "Lbl_T");
  ui.lblS_ = panel(box, "Lbl_S");
  for (auto* counter : {ui.lblT_, ui.lblS_}) {
    counter->setFont(verdana(counter->font(), true));
    counter->setAlignment(Qt::AlignCenter);
    fitWidthTo(counter, "0000");
  }
  auto* label9 = caption(box, "Label9", "Coperti");
  auto* label11 = caption(box, "Label11", "Scoperti");
  for (auto* label : {label9, label11}) label->setFont(verdana(label->font(), false));
  auto* counters = new QHBoxLayout;
  counters->addWidget(label9);
  counters->addWidget(ui.lblT_);
  counters->addSpacing(12);
  counters->addWidget(label11);
  counters->addWidget(ui.lblS_);
  counters->addStretch(1);

  ui.chVerificaPrev_ = new QCheckBox("Verifica automatica", box);
  ui.chVerificaPrev_->setObjectName("Ch_verificaPrev");
  auto* command21 =
      new QPushButton(window.style()->standardIcon(QStyle::SP_FileDialogInfoView), QString(), box);
  command21->setObjectName("Command21");
  command21->setToolTip("Ritardi delle previsioni");
  command21->setAccessibleName("Ritardi delle previsioni");
  QObject::connect(command21, &QPushButton::clicked, &window, &Quintello::showDelays);

  auto* buttons = new QGridLayout;
  buttons->setVerticalSpacing(3);
  buttons->addWidget(
      addButton(box, "Cmd_Rimuove", "&Rimuove riga selezionata", &Quintello::removeForecast), 0, 0,
      1, 2);
  buttons->addWidget(addButton(box, "Cmd_VerificaPrevisioni", "Visualizza s&faldamenti",
                               &Quintello::verifyForecasts),
                     1, 0, 1, 2);
  buttons->addWidget(ui.chVerificaPrev_, 2, 0, 1, 2);
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
  listColumn->addWidget(ui.fgZZ_, 1);
  listColumn->addLayout(counters);
  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(listColumn, 1);
  layout->addLayout(buttons);
  return box;
}

QWidget* Builder::buildWorkingAreas() {
  // The working tables of the combination search, for the curious: the draws of the
  // uncovered windows, the distinct combinations with their pair scores, one line per restart.
  auto* box = new QWidget(&window);
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
  ui.fgU_ = area("FgU", "Estrazioni scoperte");
  ui.fgI2_ = area("Fg_I2", "Combinazioni trovate");
  ui.list3_ = area("List3", "Ripartenze");
  // One restart's improvements; the search empties it after each restart.
  ui.listResults_ = new QListWidget(box);
  ui.listResults_->setObjectName("listResults");
  ui.listResults_->hide();
  auto* command29 = addButton(box, "Command29", "PULISCE cmd29", &Quintello::pulisce);
  auto* command31 = addButton(box, "Command31", "Command31", &Quintello::coverBestCombinations);
  command29->hide();  // both created hidden
  command31->hide();
  return box;
}

}  // namespace

void QuintelloUi::setupUi(Quintello& window, Dialogs& dialogs) {
  Builder{*this, window, dialogs}.buildWindow();
}

}  // namespace quintello
