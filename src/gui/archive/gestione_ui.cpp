#include "gui/archive/gestione_ui.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "archive/calendar.h"
#include "gui/archive/entry_grid.h"
#include "gui/archive/gestione_tab.h"
#include "gui/common/draw_scroll_bar.h"
#include "gui/common/grid_view.h"
#include "gui/common/icons.h"
#include "gui/common/widgets.h"

namespace quintello {

namespace {

constexpr int kLargeStep = 25;

QLabel* valueLabel(QWidget* parent, const char* name, const QString& tip) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFrameShape(QFrame::StyledPanel);
  label->setAlignment(Qt::AlignCenter);
  label->setToolTip(tip);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  fitWidthTo(label, dateSample());
  return label;
}

QLabel* caption(QWidget* parent, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
  return namedButton(parent, name, text, 26);
}

// Builds the tab panel by panel, filling in the controls as it goes.
struct Builder {
  GestioneUi& ui;
  GestioneEstrazioniTab& tab;
  Dialogs& dialogs;

  void buildTab();
  QWidget* buildDrawPanel();
  QWidget* buildDatePanel();
  QWidget* buildArchivePanel();
  QWidget* buildYearCalendar();
};

void Builder::buildTab() {
  auto* top = new QHBoxLayout;
  top->addWidget(buildDrawPanel());
  top->addWidget(buildDatePanel());
  top->addWidget(buildArchivePanel(), 1);
  auto* layout = new QVBoxLayout(&tab);
  layout->addLayout(top);
  layout->addWidget(buildYearCalendar(), 1);
}

QWidget* Builder::buildDrawPanel() {
  auto* box = new QGroupBox("Estrazione", &tab);
  ui.txtin_ = new EntryGrid(box);

  ui.lblEstrazione_ = valueLabel(box, "LBLESTRAZIONE", "Data dell'estrazione mostrata");
  ui.pAN_DC_ = valueLabel(box, "pAN_DC", "Indice dell'estrazione: clic per sceglierne un altro");
  ui.pAN_DC_->setCursor(Qt::PointingHandCursor);
  ui.pAN_DC_->setFocusPolicy(Qt::StrongFocus);
  ui.labelPM_ = valueLabel(box, "LabelPM", "Progressivo nel mese");
  ui.labelPA_ = valueLabel(box, "LabelPA", "Progressivo nell'anno");
  for (auto* ordinal : {ui.labelPM_, ui.labelPA_}) fitWidthTo(ordinal, "000");
  auto* shown = new QGridLayout;
  shown->addWidget(ui.lblEstrazione_, 0, 0);
  shown->addWidget(ui.pAN_DC_, 0, 1);
  shown->addWidget(caption(box, "Mensile"), 0, 2);
  shown->addWidget(ui.labelPM_, 0, 3);
  shown->addWidget(caption(box, "Annuale"), 0, 4);
  shown->addWidget(ui.labelPA_, 0, 5);

  ui.hScrestrazione_ = new QScrollBar(Qt::Horizontal, box);
  ui.hScrestrazione_->setObjectName("HScrestrazione");
  ui.hScrestrazione_->setAccessibleName("Estrazione mostrata");
  ui.hScrestrazione_->setFocusPolicy(Qt::StrongFocus);
  ui.hScrestrazione_->setMinimumHeight(22);
  ui.hScrestrazione_->setSingleStep(1);
  ui.hScrestrazione_->setPageStep(kLargeStep);
  ui.hScrestrazione_->setRange(1, 1);
  useDrawKeys(ui.hScrestrazione_);

  auto* layout = new QVBoxLayout(box);
  layout->addWidget(ui.txtin_);
  layout->addLayout(shown);
  layout->addWidget(ui.hScrestrazione_);
  layout->addStretch(1);
  return box;
}

QWidget* Builder::buildDatePanel() {
  auto* box = new QGroupBox("Data della nuova estrazione", &tab);
  ui.monthView1_ = new QCalendarWidget(box);
  ui.monthView1_->setObjectName("MonthView1");
  ui.monthView1_->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
  ui.monthView1_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  ui.monthView1_->setGridVisible(true);
  ui.text1_ = new QLineEdit(box);
  ui.text1_->setObjectName("Text1");
  ui.text1_->setReadOnly(true);  // the date is the calendar's; the box only repeats it
  ui.text1_->setAccessibleName("Data selezionata");
  ui.text1_->setAlignment(Qt::AlignCenter);

  auto* note = new QLabel(
      "Attenzione: la data considerata è quella del calendario e riportata anche nella casella "
      "Data selezionata",
      box);
  note->setObjectName("LabelNotaData");
  note->setWordWrap(true);
  auto* selected = new QHBoxLayout;
  selected->addWidget(new QLabel("Data selezionata", box));
  selected->addWidget(ui.text1_, 1);

  auto* command6 = button(box, "Command6", "Imposta data");
  auto* command9 = button(box, "Command9", "Imposta data odierna");
  command6->setToolTip("Il calendario va alla data dell'estrazione mostrata");
  QObject::connect(command6, &QPushButton::clicked, &tab,
                   &GestioneEstrazioniTab::setCalendarToShownDraw);
  QObject::connect(command9, &QPushButton::clicked, &tab,
                   &GestioneEstrazioniTab::setCalendarToToday);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(command6);
  buttons->addWidget(command9);

  auto* layout = new QVBoxLayout(box);
  layout->addWidget(ui.monthView1_);
  layout->addLayout(selected);
  layout->addWidget(note);
  layout->addLayout(buttons);
  layout->addStretch(1);
  return box;
}

QWidget* Builder::buildArchivePanel() {
  auto* box = new QGroupBox("Comandi", &tab);
  ui.label2_ = valueLabel(box, "Label2", "Numero delle estrazioni in archivio");
  ui.lblAggiornato_ = valueLabel(box, "LBLAGGIORNATO", "Data dell'ultima estrazione");
  auto* labels = new QGridLayout;
  labels->addWidget(caption(box, "Num estraz"), 0, 0);
  labels->addWidget(ui.label2_, 0, 1);
  labels->addWidget(caption(box, "Dati aggiornati al"), 1, 0);
  labels->addWidget(ui.lblAggiornato_, 1, 1);

  auto* command1 = button(box, "Command1", "&AZZERA GRID ");
  auto* command12 = button(box, "Command12", "&INCOLLA ESTRAZIONE");
  command12->setToolTip("Riempie le caselle con i 55 numeri copiati negli appunti");
  QObject::connect(command1, &QPushButton::clicked, &tab, &GestioneEstrazioniTab::clearBoxes);
  QObject::connect(command12, &QPushButton::clicked, &tab, &GestioneEstrazioniTab::pasteDraw);
  auto* command4 = button(box, "Command4", "Vai ultima estrazione");
  auto* command8 = button(box, "Command8", "&SALVA ESTRAZIONE");
  auto* command3 = button(box, "Command3", "&MODIFICA ESTRAZIONE");
  auto* command2 = button(box, "Command2", "E&LIMINA ESTRAZIONE");
  command8->setToolTip("Salva i numeri delle caselle con la data del calendario");
  command3->setToolTip("Sostituisce i numeri dell'estrazione mostrata, che mantiene la sua data");
  command2->setToolTip("Elimina l'estrazione mostrata");
  QObject::connect(command4, &QPushButton::clicked, &tab, &GestioneEstrazioniTab::showLatestDraw);
  QObject::connect(command8, &QPushButton::clicked, &tab, &GestioneEstrazioniTab::saveDraw);
  QObject::connect(command3, &QPushButton::clicked, &tab, &GestioneEstrazioniTab::modifyDraw);
  QObject::connect(command2, &QPushButton::clicked, &tab, &GestioneEstrazioniTab::deleteDraw);

  auto* command59 = button(box, "Command59", "Ricerca per data");
  auto* command42 = button(box, "Command42_1", "Ricerca per numero indice");
  command59->setIcon(paintedIcon(PaintedIcon::SearchDate));
  command42->setIcon(paintedIcon(PaintedIcon::SearchIndex));
  auto* help = button(box, "CmDHelp", "Help in linea");
  QObject::connect(command59, &QPushButton::clicked, &tab, &GestioneEstrazioniTab::searchByDate);
  QObject::connect(command42, &QPushButton::clicked, &tab, &GestioneEstrazioniTab::searchByIndex);
  QObject::connect(help, &QPushButton::clicked, &tab, &GestioneEstrazioniTab::openHelp);

  auto* layout = new QVBoxLayout(box);
  layout->addLayout(labels);
  for (auto* b : {command1, command12}) layout->addWidget(b);
  layout->addSpacing(8);
  for (auto* b : {command8, command3, command2}) layout->addWidget(b);
  layout->addSpacing(8);
  for (auto* b : {command4, command59, command42}) layout->addWidget(b);
  layout->addStretch(1);
  layout->addWidget(help);
  return box;
}

QWidget* Builder::buildYearCalendar() {
  auto* box = new QGroupBox("Calendario delle estrazioni", &tab);
  ui.combo1_ = new QComboBox(box);
  ui.combo1_->setObjectName("Combo1");
  ui.combo1_->setAccessibleName("Anno");
  ui.check2_ = new QCheckBox(qText(kCheck2Caption), box);
  ui.check2_->setObjectName("Check2");
  // Command24 does the loading; the user reaches it through the year list and Check2 only.
  auto* command24 = button(box, "Command24", "Carica calendario");
  command24->setVisible(false);
  QObject::connect(command24, &QPushButton::clicked, &tab, &GestioneEstrazioniTab::loadCalendar);

  ui.fg1_ = new GridView(dialogs, box);
  ui.fg1_->setObjectName("Fg1");
  ui.fg1_->setSelectionMode(QAbstractItemView::SingleSelection);
  ui.fg1_->setSelectionBehavior(QAbstractItemView::SelectItems);
  // Enter or Space on a day of the calendar works as a click.
  ui.fg1_->setKeyClicks(GridView::KeyClick::Click, GridView::KeyClick::Click);
  // The day columns are narrow (260 twips): two digits and no room to spare.
  ui.fg1_->horizontalHeader()->setMinimumSectionSize(12);
  ui.fg1_->setTextElideMode(Qt::ElideNone);

  // Room for half a year at least; the window opens tall enough for all twelve months.
  ui.fg1_->setMinimumHeight(7 * ui.fg1_->verticalHeader()->defaultSectionSize());

  auto* label16 = new QLabel(qText(Label16), box);
  label16->setObjectName("Label16");
  label16->setWordWrap(true);

  auto* choice = new QHBoxLayout;
  choice->addWidget(new QLabel("Anno", box));
  choice->addWidget(ui.combo1_);
  choice->addSpacing(16);
  choice->addWidget(ui.check2_);
  choice->addWidget(command24);
  choice->addStretch(1);
  auto* layout = new QVBoxLayout(box);
  layout->addLayout(choice);
  layout->addWidget(ui.fg1_, 1);
  layout->addWidget(label16);
  return box;
}

}  // namespace

void GestioneUi::setupUi(GestioneEstrazioniTab& tab, Dialogs& dialogs) {
  Builder{*this, tab, dialogs}.buildTab();
}

}  // namespace quintello
