#include "gui/quintello/quintello_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "analysis/quintello/grid_columns.h"
#include "analysis/quintello/limits.h"
#include "core/draw_views.h"
#include "core/text_number.h"
#include "gui/common/app_context.h"
#include "gui/common/grid_model.h"
#include "gui/common/grid_view.h"
#include "gui/common/single_window.h"
#include "gui/common/wait_cursor.h"

namespace quintello {

namespace {

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

  setupUi(*this, context_.dialogs());
  connectControls();

  connect(&context_, &AppContext::archiveReloaded, this, &Quintello::followArchive);
  openingSequence();
  resize(1340, 690);
}

Quintello::~Quintello() { session_.setProgress(nullptr); }

// --- Connecting the controls -----------------------------------------------------------

void Quintello::connectControls() {
  connect(comboG_, &QComboBox::activated, this, &Quintello::chooseGameWheel);
  connect(comboR_, &QComboBox::activated, this, &Quintello::chooseDetectionWheel);
  connect(comboC_, &QComboBox::activated, this, &Quintello::chooseColpi);
  connect(comboPresenze_, &QComboBox::activated, this, &Quintello::choosePresences);
  for (int p = 0; p < kPositions; ++p) {
    connect(chP_[static_cast<size_t>(p)], &QCheckBox::toggled, this, [this, p](bool on) {
      session_.inputs().PosizioniRilevazione[static_cast<size_t>(p)] = on;
    });
  }
  connect(chFine_, &QCheckBox::toggled, this,
          [this](bool on) { session_.inputs().FineRicerca = on; });
  connect(hFine_, &QScrollBar::valueChanged, this, &Quintello::referenceDrawUpdate);

  connect(fg1_, &GridView::cellClicked, this, &Quintello::clickResultList);
  connect(fg1_, &GridView::cellDoubleClicked, this, [this] { elenco(); });
  connect(fg90_, &GridView::cellClicked, this, &Quintello::clickBoard);

  connect(comboN_, &QComboBox::activated, this, &Quintello::chooseCombinationSize);
  const auto highlightCombination = [this](int row) {
    if (row < 1) return;
    session_.highlightCombination(row);
    display(fgCC_, renderFg_CC(session_.search()));
  };
  connect(fgCC_, &GridView::cellClicked, this, highlightCombination);
  connect(fgCC_, &GridView::currentRowChanged, this, highlightCombination);
  connect(fgCC_, &GridView::cellDoubleClicked, this, [this] { addFromCombinationList(); });
  connect(fg9090_, &GridView::cellDoubleClicked, this, [this] { addPair(); });

  const auto highlightForecast = [this](int row) {
    if (row < 1) return;
    session_.highlightForecast(row);
    displayList(fgZZ_, renderFg_ZZ(session_.book()));
  };
  connect(fgZZ_, &GridView::cellClicked, this, highlightForecast);
  connect(fgZZ_, &GridView::currentRowChanged, this, highlightForecast);
  connect(chVerificaPrev_, &QCheckBox::toggled, this,
          [this](bool on) { session_.inputs().VerificaAutomatica = on; });
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

}  // namespace quintello
