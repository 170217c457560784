#include "gui/archive/gestione_tab.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "archive/calendar.h"
#include "archive/draw_changes.h"
#include "archive/draw_navigation.h"
#include "archive/entry_record.h"
#include "core/error.h"
#include "gui/archive/entry_grid.h"
#include "gui/archive/notices.h"
#include "gui/common/app_context.h"
#include "gui/common/draw_scroll_bar.h"
#include "gui/common/grid_view.h"
#include "gui/common/icons.h"
#include "gui/common/widgets.h"

namespace quintello {

namespace {

constexpr int kLargeStep = 25;
constexpr const char* kHelpSection = "archivio";

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

CalendarDate calendarDateOf(const QDate& date) { return {date.year(), date.month(), date.day()}; }

QDate qDateOf(const CalendarDate& date) { return QDate(date.year, date.month, date.day); }

}  // namespace

GestioneEstrazioniTab::GestioneEstrazioniTab(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("GestioneEstrazioni");
  auto* top = new QHBoxLayout;
  top->addWidget(buildDrawPanel());
  top->addWidget(buildDatePanel());
  top->addWidget(buildArchivePanel(), 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buildYearCalendar(), 1);
  connect(&context_, &AppContext::archiveReloaded, this, &GestioneEstrazioniTab::followReload);
}

QWidget* GestioneEstrazioniTab::buildDrawPanel() {
  auto* box = new QGroupBox("Estrazione", this);
  txtin_ = new EntryGrid(box);

  lblEstrazione_ = valueLabel(box, "LBLESTRAZIONE", "Data dell'estrazione mostrata");
  pAN_DC_ = valueLabel(box, "pAN_DC", "Indice dell'estrazione: clic per sceglierne un altro");
  pAN_DC_->setCursor(Qt::PointingHandCursor);
  pAN_DC_->setFocusPolicy(Qt::StrongFocus);
  pAN_DC_->installEventFilter(this);
  labelPM_ = valueLabel(box, "LabelPM", "Progressivo nel mese");
  labelPA_ = valueLabel(box, "LabelPA", "Progressivo nell'anno");
  for (auto* ordinal : {labelPM_, labelPA_}) fitWidthTo(ordinal, "000");
  auto* shown = new QGridLayout;
  shown->addWidget(lblEstrazione_, 0, 0);
  shown->addWidget(pAN_DC_, 0, 1);
  shown->addWidget(caption(box, "Mensile"), 0, 2);
  shown->addWidget(labelPM_, 0, 3);
  shown->addWidget(caption(box, "Annuale"), 0, 4);
  shown->addWidget(labelPA_, 0, 5);

  hScrestrazione_ = new QScrollBar(Qt::Horizontal, box);
  hScrestrazione_->setObjectName("HScrestrazione");
  hScrestrazione_->setAccessibleName("Estrazione mostrata");
  hScrestrazione_->setFocusPolicy(Qt::StrongFocus);
  hScrestrazione_->setMinimumHeight(22);
  hScrestrazione_->setSingleStep(1);
  hScrestrazione_->setPageStep(kLargeStep);
  hScrestrazione_->setRange(1, 1);
  useDrawKeys(hScrestrazione_);
  connect(hScrestrazione_, &QScrollBar::valueChanged, this, &GestioneEstrazioniTab::scrollChanged);

  auto* layout = new QVBoxLayout(box);
  layout->addWidget(txtin_);
  layout->addLayout(shown);
  layout->addWidget(hScrestrazione_);
  layout->addStretch(1);
  return box;
}

QWidget* GestioneEstrazioniTab::buildDatePanel() {
  auto* box = new QGroupBox("Data della nuova estrazione", this);
  monthView1_ = new QCalendarWidget(box);
  monthView1_->setObjectName("MonthView1");
  monthView1_->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
  monthView1_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  monthView1_->setGridVisible(true);
  text1_ = new QLineEdit(box);
  text1_->setObjectName("Text1");
  text1_->setReadOnly(true);  // the date is the calendar's; the box only repeats it
  text1_->setAccessibleName("Data selezionata");
  text1_->setAlignment(Qt::AlignCenter);
  // Text1 always repeats the calendar's date, however it was chosen; a click gives it the focus.
  connect(monthView1_, &QCalendarWidget::selectionChanged, this, [this] {
    text1_->setText(qText(dateText(calendarDateOf(monthView1_->selectedDate()))));
  });
  connect(monthView1_, &QCalendarWidget::clicked, this, [this] { text1_->setFocus(); });

  auto* note = new QLabel(
      "Attenzione: la data considerata è quella del calendario e riportata anche nella casella "
      "Data selezionata",
      box);
  note->setObjectName("LabelNotaData");
  note->setWordWrap(true);
  auto* selected = new QHBoxLayout;
  selected->addWidget(new QLabel("Data selezionata", box));
  selected->addWidget(text1_, 1);

  auto* command6 = button(box, "Command6", "Imposta data");
  auto* command9 = button(box, "Command9", "Imposta data odierna");
  command6->setToolTip("Il calendario va alla data dell'estrazione mostrata");
  connect(command6, &QPushButton::clicked, this, &GestioneEstrazioniTab::setCalendarToShownDraw);
  connect(command9, &QPushButton::clicked, this, &GestioneEstrazioniTab::setCalendarToToday);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(command6);
  buttons->addWidget(command9);

  auto* layout = new QVBoxLayout(box);
  layout->addWidget(monthView1_);
  layout->addLayout(selected);
  layout->addWidget(note);
  layout->addLayout(buttons);
  layout->addStretch(1);
  return box;
}

QWidget* GestioneEstrazioniTab::buildArchivePanel() {
  auto* box = new QGroupBox("Comandi", this);
  label2_ = valueLabel(box, "Label2", "Numero delle estrazioni in archivio");
  lblAggiornato_ = valueLabel(box, "LBLAGGIORNATO", "Data dell'ultima estrazione");
  auto* labels = new QGridLayout;
  labels->addWidget(caption(box, "Num estraz"), 0, 0);
  labels->addWidget(label2_, 0, 1);
  labels->addWidget(caption(box, "Dati aggiornati al"), 1, 0);
  labels->addWidget(lblAggiornato_, 1, 1);

  auto* command1 = button(box, "Command1", "&AZZERA GRID ");
  auto* command12 = button(box, "Command12", "&INCOLLA ESTRAZIONE");
  command12->setToolTip("Riempie le caselle con i 55 numeri copiati negli appunti");
  connect(command1, &QPushButton::clicked, this, &GestioneEstrazioniTab::clearBoxes);
  connect(command12, &QPushButton::clicked, this, &GestioneEstrazioniTab::pasteDraw);
  auto* command4 = button(box, "Command4", "Vai ultima estrazione");
  auto* command8 = button(box, "Command8", "&SALVA ESTRAZIONE");
  auto* command3 = button(box, "Command3", "&MODIFICA ESTRAZIONE");
  auto* command2 = button(box, "Command2", "E&LIMINA ESTRAZIONE");
  command8->setToolTip("Salva i numeri delle caselle con la data del calendario");
  command3->setToolTip("Sostituisce i numeri dell'estrazione mostrata, che mantiene la sua data");
  command2->setToolTip("Elimina l'estrazione mostrata");
  connect(command4, &QPushButton::clicked, this, &GestioneEstrazioniTab::showLatestDraw);
  connect(command8, &QPushButton::clicked, this, &GestioneEstrazioniTab::saveDraw);
  connect(command3, &QPushButton::clicked, this, &GestioneEstrazioniTab::modifyDraw);
  connect(command2, &QPushButton::clicked, this, &GestioneEstrazioniTab::deleteDraw);

  auto* command59 = button(box, "Command59", "Ricerca per data");
  auto* command42 = button(box, "Command42_1", "Ricerca per numero indice");
  command59->setIcon(paintedIcon(PaintedIcon::SearchDate));
  command42->setIcon(paintedIcon(PaintedIcon::SearchIndex));
  auto* help = button(box, "CmDHelp", "Help in linea");
  connect(command59, &QPushButton::clicked, this, &GestioneEstrazioniTab::searchByDate);
  connect(command42, &QPushButton::clicked, this, &GestioneEstrazioniTab::searchByIndex);
  connect(help, &QPushButton::clicked, this, &GestioneEstrazioniTab::openHelp);

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

QWidget* GestioneEstrazioniTab::buildYearCalendar() {
  auto* box = new QGroupBox("Calendario delle estrazioni", this);
  combo1_ = new QComboBox(box);
  combo1_->setObjectName("Combo1");
  combo1_->setAccessibleName("Anno");
  check2_ = new QCheckBox(qText(kCheck2Caption), box);
  check2_->setObjectName("Check2");
  // Command24 does the loading; the user reaches it through the year list and Check2 only.
  auto* command24 = button(box, "Command24", "Carica calendario");
  command24->setVisible(false);
  connect(command24, &QPushButton::clicked, this, &GestioneEstrazioniTab::loadCalendar);
  connect(combo1_, &QComboBox::currentIndexChanged, this, &GestioneEstrazioniTab::loadCalendar);
  connect(check2_, &QCheckBox::toggled, this, &GestioneEstrazioniTab::loadCalendar);

  fg1_ = new GridView(context_.dialogs(), box);
  fg1_->setObjectName("Fg1");
  fg1_->setSelectionMode(QAbstractItemView::SingleSelection);
  fg1_->setSelectionBehavior(QAbstractItemView::SelectItems);
  fg1_->installEventFilter(this);
  // The day columns are narrow (260 twips): two digits and no room to spare.
  fg1_->horizontalHeader()->setMinimumSectionSize(12);
  fg1_->setTextElideMode(Qt::ElideNone);
  connect(fg1_, &GridView::cellClicked, this, &GestioneEstrazioniTab::pickCalendarDay);

  // Room for half a year at least; the window opens tall enough for all twelve months.
  fg1_->setMinimumHeight(7 * fg1_->verticalHeader()->defaultSectionSize());

  auto* label16 = new QLabel(qText(Label16), box);
  label16->setObjectName("Label16");
  label16->setWordWrap(true);

  auto* choice = new QHBoxLayout;
  choice->addWidget(new QLabel("Anno", box));
  choice->addWidget(combo1_);
  choice->addSpacing(16);
  choice->addWidget(check2_);
  choice->addWidget(command24);
  choice->addStretch(1);
  auto* layout = new QVBoxLayout(box);
  layout->addLayout(choice);
  layout->addWidget(fg1_, 1);
  layout->addWidget(label16);
  return box;
}

bool GestioneEstrazioniTab::eventFilter(QObject* watched, QEvent* event) {
  // pAN_DC answers a click, and Enter or Space when it has the focus.
  if (watched == pAN_DC_) {
    if (event->type() == QEvent::MouseButtonRelease) {
      askDrawIndex();
      return true;
    }
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        askDrawIndex();
        return true;
      }
    }
  }
  // Enter or Space on a day of the calendar grid works as a click.
  if (watched == fg1_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      pickCalendarDay(fg1_->currentGridRow(), fg1_->currentGridCol());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// --- The shown draw ---

void GestioneEstrazioniTab::scrollChanged() {
  const DrawArchive& archive = context_.archive();
  shownDraw_ = std::clamp(hScrestrazione_->value(), 0, archive.count());
  const ShownDrawLabels labels = shownDrawLabels(archive, shownDraw_);
  pAN_DC_->setText(qText(labels.pAN_DC));
  lblEstrazione_->setText(qText(labels.LBLESTRAZIONE));
  MostraEstrazione(shownDraw_);
}

void GestioneEstrazioniTab::MostraEstrazione(int draw) {
  const DrawArchive& archive = context_.archive();
  txtin_->setBoxes(quintello::MostraEstrazione(archive, draw));
  const ShownDrawLabels labels = shownDrawLabels(archive, draw);
  labelPM_->setText(qText(labels.LabelPM));
  labelPA_->setText(qText(labels.LabelPA));
}

void GestioneEstrazioniTab::setScrollValue(int draw) {
  // As a move of the scroll bar: the draw is shown when the value changes.
  hScrestrazione_->setValue(draw);
}

void GestioneEstrazioniTab::showDrawAt(int draw) {
  {
    const QSignalBlocker blocker(hScrestrazione_);
    hScrestrazione_->setValue(draw);
  }
  scrollChanged();
}

void GestioneEstrazioniTab::AggiornaEtichette() {
  const ArchiveLabels labels = quintello::AggiornaEtichette(context_.archive());
  label2_->setText(qText(labels.Label2));
  lblAggiornato_->setText(qText(labels.LBLAGGIORNATO));
  pAN_DC_->setText(shownDraw_ > 0 ? QString::number(shownDraw_) : QString());
  {
    const QSignalBlocker blocker(hScrestrazione_);
    hScrestrazione_->setRange(labels.scrollMinimum, labels.scrollMaximum);
  }
  hScrestrazione_->setEnabled(labels.scrollMaximum > 0);
  // The latest draw is shown even when the scroll bar already stood on it: its numbers may
  // be the ones just changed.
  showDrawAt(labels.scrollValue);
}

void GestioneEstrazioniTab::showLatestDraw() { setScrollValue(context_.archive().count()); }

void GestioneEstrazioniTab::askDrawIndex() {
  const auto answer = ask(context_.dialogs(), kIndexInput);
  if (!answer) return;
  if (const auto draw = indexInputDraw(answer->toStdString(), context_.archive()))
    setScrollValue(*draw);
}

void GestioneEstrazioniTab::selectDraw(int draw, const std::string& dateText) {
  setScrollValue(draw);
  if (const auto date = calendarDate(dateText)) setCalendarDate(qDateOf(*date));
}

// --- Entry ---

void GestioneEstrazioniTab::clearBoxes() { txtin_->clear(); }

void GestioneEstrazioniTab::pasteDraw() {
  // The space ends a number standing at the very end of the text.
  const QString text = QGuiApplication::clipboard()->text() + " ";
  const PasteResult result = parsePastedDraw(text.toStdString());
  if (result.refusal) {
    tell(*result.refusal);
    return;
  }
  if (result.boxes) txtin_->setBoxes(*result.boxes);
}

// --- The calendar's date ---

void GestioneEstrazioniTab::setCalendarDate(const QDate& date) {
  monthView1_->setSelectedDate(date);
  text1_->setText(qText(dateText(calendarDateOf(monthView1_->selectedDate()))));
}

void GestioneEstrazioniTab::setCalendarToShownDraw() {
  if (const auto date = calendarDate(lblEstrazione_->text().toStdString()))
    setCalendarDate(qDateOf(*date));
}

void GestioneEstrazioniTab::setCalendarToToday() { setCalendarDate(QDate::currentDate()); }

// --- Save, modify, delete ---

void GestioneEstrazioniTab::saveDraw() {
  const CalendarDate date = calendarDateOf(monthView1_->selectedDate());
  const Question question = saveQuestion(date);
  if (!context_.dialogs().question(qText(question.text), qText(question.title))) return;
  ArchiveDatabase* db = archiveToChange();
  if (!db) return;
  const DrawChange change = salvaEstrazione(*db, txtin_->boxes(), date);
  if (!change.failure.empty()) return showFailure(qText(change.failure));
  if (change.notice) tell(*change.notice);
  if (!change.changed) return;
  // The reload brings the tab to the latest draw (followReload).
  reloadArchive();
  emit updateCheckOutdated();
}

void GestioneEstrazioniTab::modifyDraw() {
  const int remembered = hScrestrazione_->value();
  const std::string shownDate = lblEstrazione_->text().toStdString();
  const Question question = modifyQuestion(shownDate);
  if (!context_.dialogs().question(qText(question.text), qText(question.title))) return;
  ArchiveDatabase* db = archiveToChange();
  if (!db) return;
  const DrawChange change = modificaEstrazione(*db, txtin_->boxes(), shownDate);
  if (!change.failure.empty()) return showFailure(qText(change.failure));
  if (change.notice) tell(*change.notice);
  if (change.changed) reloadArchive();
  // The same draw again, whatever the reload showed, and its date on the calendar.
  showDrawAt(std::min(remembered, context_.archive().count()));
  if (const auto date = calendarDate(shownDate)) setCalendarDate(qDateOf(*date));
  emit updateCheckOutdated();
}

void GestioneEstrazioniTab::deleteDraw() {
  const std::string shownDate = lblEstrazione_->text().toStdString();
  const Question question = deleteQuestion(shownDate);
  if (!context_.dialogs().question(qText(question.text), qText(question.title))) return;
  ArchiveDatabase* db = archiveToChange();
  if (!db) return;
  const DrawChange change = eliminaEstrazione(*db, shownDate);
  if (!change.failure.empty()) return showFailure(qText(change.failure));
  if (change.notice) tell(*change.notice);
  if (change.changed) reloadArchive();
}

ArchiveDatabase* GestioneEstrazioniTab::archiveToChange() {
  ArchiveDatabase* db = context_.archiveDatabase();
  if (!db) showFailure("Nessun archivio delle estrazioni aperto.");
  return db;
}

void GestioneEstrazioniTab::reloadArchive() {
  try {
    context_.reloadArchive();
  } catch (const Error& error) {
    showFailure(QString::fromUtf8(error.what()));
  }
}

void GestioneEstrazioniTab::followReload() {
  AggiornaEtichette();
  fillYearList();
}

void GestioneEstrazioniTab::tell(const Notice& notice) { showNotice(context_.dialogs(), notice); }

void GestioneEstrazioniTab::showFailure(const QString& text) {
  context_.dialogs().message(text, qText(kAnomalyTitle), Dialogs::Icon::Critical);
}

// --- Year calendar and searches ---

void GestioneEstrazioniTab::fillYearList() {
  const QString shownYear = combo1_->currentText();
  const bool first = combo1_->count() == 0;
  {
    const QSignalBlocker blocker(combo1_);
    combo1_->clear();
    for (const auto& year : Combo1Years(context_.archive(), QDate::currentDate().year()))
      combo1_->addItem(QString::fromStdString(year));
    // The window opens on the last year; a reload keeps the year the user was looking at.
    const int kept = first ? -1 : combo1_->findText(shownYear);
    combo1_->setCurrentIndex(kept >= 0 ? kept : combo1_->count() - 1);
  }
  reloadCalendar(first);
}

void GestioneEstrazioniTab::loadCalendar() { reloadCalendar(true); }

void GestioneEstrazioniTab::reloadCalendar(bool focusLatestDraw) {
  ArchiveDatabase* db = context_.archiveDatabase();
  if (!db) return;
  auto calendar = caricaCalendario(*db, combo1_->currentText().toStdString(), check2_->isChecked());
  if (!calendar) return;  // the grid keeps what it shows
  fg1_->setGrid(std::move(calendar->Fg1));
  if (!calendar->current) return;
  fg1_->setCurrentCell(calendar->current->row, calendar->current->col);
  if (focusLatestDraw) fg1_->setFocus();
}

void GestioneEstrazioniTab::pickCalendarDay(int row, int col) {
  const auto pick = calendarClick(fg1_->grid(), row, col, context_.archive());
  if (!pick) return;
  setScrollValue(pick->draw);
  if (const auto date = calendarDate(pick->dateText)) setCalendarDate(qDateOf(*date));
}

void GestioneEstrazioniTab::searchByDate() {
  const auto answer = ask(context_.dialogs(), kDateSearchInput);
  // Cancel reads as an empty answer, which no draw date matches.
  const SearchResult result =
      quintello::searchByDate(context_.archive(), answer.value_or(QString()).toStdString());
  if (result.draw) setScrollValue(*result.draw);
  if (result.message) tell(*result.message);
}

void GestioneEstrazioniTab::searchByIndex() {
  const auto answer = ask(context_.dialogs(), kIndexSearchInput);
  const SearchResult result =
      quintello::searchByIndex(context_.archive(), answer.value_or(QString()).toStdString());
  if (result.draw) setScrollValue(*result.draw);
  if (result.message) tell(*result.message);
}

void GestioneEstrazioniTab::openHelp() {
  context_.help().setFile(Help::kMainFile);
  context_.help().show(kHelpSection);
}

}  // namespace quintello
