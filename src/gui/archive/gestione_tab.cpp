#include "gui/archive/gestione_tab.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "archive/calendar.h"
#include "archive/draw_changes.h"
#include "archive/draw_navigation.h"
#include "archive/entry_record.h"
#include "core/error.h"
#include "gui/archive/entry_grid.h"
#include "gui/archive/notices.h"
#include "gui/common/app_context.h"
#include "gui/common/grid_view.h"
#include "gui/common/widgets.h"

namespace quintello {

namespace {

constexpr const char* kHelpSection = "archivio";

CalendarDate calendarDateOf(const QDate& date) { return {date.year(), date.month(), date.day()}; }

QDate qDateOf(const CalendarDate& date) { return QDate(date.year, date.month, date.day); }

}  // namespace

GestioneEstrazioniTab::GestioneEstrazioniTab(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("GestioneEstrazioni");
  setupUi(*this, context_.dialogs());
  connectControls();
  connect(&context_, &AppContext::archiveReloaded, this, &GestioneEstrazioniTab::followReload);
}

void GestioneEstrazioniTab::connectControls() {
  pAN_DC_->installEventFilter(this);
  connect(hScrestrazione_, &QScrollBar::valueChanged, this, &GestioneEstrazioniTab::scrollChanged);
  // Text1 always repeats the calendar's date, however it was chosen; a click gives it the focus.
  connect(monthView1_, &QCalendarWidget::selectionChanged, this, [this] {
    text1_->setText(qText(dateText(calendarDateOf(monthView1_->selectedDate()))));
  });
  connect(monthView1_, &QCalendarWidget::clicked, this, [this] { text1_->setFocus(); });
  connect(combo1_, &QComboBox::currentIndexChanged, this, &GestioneEstrazioniTab::loadCalendar);
  connect(check2_, &QCheckBox::toggled, this, &GestioneEstrazioniTab::loadCalendar);
  connect(fg1_, &GridView::cellClicked, this, &GestioneEstrazioniTab::pickCalendarDay);
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
