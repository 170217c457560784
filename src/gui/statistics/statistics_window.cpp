#include "gui/statistics/statistics_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>

#include "gui/common/app_context.h"
#include "gui/common/grid_output.h"
#include "gui/common/grid_view.h"
#include "gui/common/single_window.h"

namespace quintello {

namespace {

constexpr const char* kDateFormat = "dd/MM/yyyy";
constexpr int kPrintMarginTwips = 720;
constexpr qsizetype kMarkedPoints = 300;  // fewer gaps than this show each one as a dot
const QColor kCurrentDelay(230, 126, 34);
const QColor kLongestDelay(52, 101, 164);

QDate drawDate(const DrawArchive& archive, int draw) {
  return QDate::fromString(QString::fromStdString(archive.dateText(draw)), kDateFormat);
}

QDateEdit* dateEdit(QWidget* parent, const char* name) {
  auto* edit = new QDateEdit(parent);
  edit->setObjectName(name);
  edit->setDisplayFormat(kDateFormat);
  edit->setCalendarPopup(true);
  edit->setMinimumDate(QDate(1800, 1, 1));
  return edit;
}

QChartView* chartView(QWidget* parent, const char* name) {
  auto* chart = new QChart;
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->legend()->setAlignment(Qt::AlignTop);
  auto* view = new QChartView(chart, parent);
  view->setObjectName(name);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(520, 260);
  return view;
}

// The delays' axis, on the left of a chart and attached to its series.
QValueAxis* delayAxis(QChart* chart, QAbstractSeries* series) {
  auto* axis = new QValueAxis;
  axis->setLabelFormat("%d");
  axis->setTitleText("Estrazioni");
  chart->addAxis(axis, Qt::AlignLeft);
  series->attachAxis(axis);
  return axis;
}

void setHighestDelay(QValueAxis* axis, int highest) {
  axis->setRange(0, std::max(highest, 4));  // whole numbers on the ticks, even when low
  axis->applyNiceNumbers();
}

}  // namespace

Statistiche::Statistiche(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  setObjectName("Statistiche");
  setWindowTitle("Statistiche");
  makeToolWindow(this);
  installHelp(this, context_.help(), Help::kMainFile, "statistiche");

  table_ = new GridView(context_.dialogs(), this);
  table_->setObjectName("FgStatistiche");
  table_->horizontalHeader()->setSortIndicatorShown(true);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, &Statistiche::sortBy);
  connect(table_, &GridView::currentRowChanged, this, [this](int row) {
    if (row > 0) selectNumber(static_cast<int>(table_->grid().value(row, 0)));
  });

  buildCharts();
  auto* charts = new QSplitter(Qt::Vertical, this);
  charts->addWidget(bars_);
  charts->addWidget(history_);

  auto* body = new QHBoxLayout;
  body->addWidget(table_);
  body->addWidget(charts, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(buildChoices());
  layout->addLayout(body, 1);

  connect(&context_, &AppContext::archiveReloaded, this, &Statistiche::followArchive);
  followArchive();
  // The table as wide as its columns; the charts take the rest.
  int width = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < table_->grid().cols(); ++c) width += table_->columnWidth(c);
  table_->setFixedWidth(width);
  resize(1280, 800);
}

QWidget* Statistiche::buildChoices() {
  auto* box = new QWidget(this);
  ruota_ = new QComboBox(box);
  ruota_->setObjectName("Ruota");
  for (size_t w = 0; w < kStatisticsWheelCodes.size(); ++w)
    ruota_->addItem(QString::fromUtf8(kStatisticsWheelCodes[w].data(),
                                      static_cast<qsizetype>(kStatisticsWheelCodes[w].size())),
                    static_cast<int>(w));
  ruota_->setCurrentIndex(kWheelTT);
  connect(ruota_, &QComboBox::activated, this,
          [this](int index) { chooseWheel(ruota_->itemData(index).toInt()); });
  dal_ = dateEdit(box, "Dal");
  al_ = dateEdit(box, "Al");
  for (QDateEdit* edit : {dal_, al_})
    connect(edit, &QDateEdit::dateChanged, this,
            [this] { chooseRange(dal_->date(), al_->date()); });
  considered_ = new QLabel(box);
  considered_->setObjectName("LblEstrazioni");
  auto* copy = new QPushButton("Copia tabella", box);
  copy->setObjectName("CopiaTabella");
  connect(copy, &QPushButton::clicked, this, [this] { copyGridToClipboard(table_->grid()); });
  auto* print = new QPushButton("Stampa grid", box);
  print->setObjectName("StampaGrid");
  connect(print, &QPushButton::clicked, this, [this] {
    printGrid(context_.dialogs(), table_->grid(), kPrintMarginTwips, kPrintMarginTwips);
  });

  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(new QLabel("Ruota", box));
  row->addWidget(ruota_);
  row->addSpacing(12);
  row->addWidget(new QLabel("Dal", box));
  row->addWidget(dal_);
  row->addWidget(new QLabel("al", box));
  row->addWidget(al_);
  row->addSpacing(12);
  row->addWidget(considered_);
  row->addStretch(1);
  row->addWidget(copy);
  row->addWidget(print);
  return box;
}

QChart* Statistiche::delayHistoryChart() const { return history_->chart(); }

// A range that was the whole archive stays the whole archive: new draws join it.
void Statistiche::followArchive() {
  const DrawArchive& archive = context_.archive();
  const bool whole =
      archiveFirst_.isNull() || (dal_->date() == archiveFirst_ && al_->date() == archiveLast_);
  archiveFirst_ = drawDate(archive, 1);
  archiveLast_ = drawDate(archive, archive.count());
  if (whole && archiveFirst_.isValid() && archiveLast_.isValid()) {
    const QSignalBlocker blockFrom(dal_), blockTo(al_);
    dal_->setDate(archiveFirst_);
    al_->setDate(archiveLast_);
  }
  chooseRange(dal_->date(), al_->date());
}

void Statistiche::chooseWheel(int wheel) {
  wheel_ = std::clamp(wheel, 0, kWheelTT);
  ruota_->setCurrentIndex(wheel_);
  refresh();
}

void Statistiche::chooseRange(QDate from, QDate to) {
  {
    const QSignalBlocker blockFrom(dal_), blockTo(al_);
    dal_->setDate(from);
    al_->setDate(to);
  }
  range_ = drawsBetween(context_.archive(), from.toString(Qt::ISODate).toStdString(),
                        to.toString(Qt::ISODate).toStdString());
  refresh();
}

void Statistiche::refresh() {
  statistics_ = numberStatistics(context_.archive(), wheel_, range_);
  considered_->setText(QString("Estrazioni considerate: %1").arg(statistics_.consideredDraws));
  showTable();
  showBars();
  showHistory();
}

void Statistiche::sortBy(int column) {
  const auto chosen = static_cast<StatisticsColumn>(std::clamp(column, 0, kStatisticsColumns - 1));
  descending_ = chosen == sortColumn_ ? !descending_ : false;
  sortColumn_ = chosen;
  showTable();
}

void Statistiche::selectNumber(int number) {
  if (!isLottoNumber(number) || number == selected_) return;
  selected_ = number;
  showSelection();
  showHistory();
}

// The table in the chosen order.
void Statistiche::showTable() {
  table_->setGrid(statisticsGrid(context_.archive(), statistics_, sortColumn_, descending_));
  table_->horizontalHeader()->setSortIndicator(
      static_cast<int>(sortColumn_), descending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
  showSelection();
}

// The selected number's row is the current one.
void Statistiche::showSelection() {
  const QSignalBlocker block(table_);
  const Grid& grid = table_->grid();
  for (int row = 1; row < grid.rows(); ++row)
    if (static_cast<int>(grid.value(row, 0)) == selected_) table_->setCurrentCell(row, 0);
}

// The charts are built once; every change refills them.
void Statistiche::buildCharts() {
  bars_ = chartView(this, "GraficoRitardi");
  QChart* bars = bars_->chart();
  longestDelays_ = new QBarSet("Ritardo massimo");
  currentDelays_ = new QBarSet("Ritardo");
  longestDelays_->setColor(kLongestDelay);
  currentDelays_->setColor(kCurrentDelay);
  for (int n = 1; n <= kHighestNumber; ++n) {
    *longestDelays_ << 0;
    *currentDelays_ << 0;
  }
  auto* delays = new QBarSeries;
  delays->append(longestDelays_);
  delays->append(currentDelays_);
  delays->setBarWidth(0.9);
  bars->addSeries(delays);
  // Ninety names do not fit under the bars: 1 and every fifth number, under their bars.
  auto* numbers = new QCategoryAxis;
  numbers->setRange(-0.5, kHighestNumber - 0.5);
  numbers->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  for (int n = 0; n <= kHighestNumber; n += 5)
    numbers->append(QString::number(std::max(n, 1)), std::max(n, 1) - 1);
  numbers->setGridLineVisible(false);
  numbers->setTitleText("Numero");
  bars->addAxis(numbers, Qt::AlignBottom);
  delays->attachAxis(numbers);
  barsScale_ = delayAxis(bars, delays);

  history_ = chartView(this, "GraficoStorico");
  QChart* history = history_->chart();
  gaps_ = new QLineSeries;
  gaps_->setColor(kLongestDelay);
  history->addSeries(gaps_);
  historyDates_ = new QDateTimeAxis;
  historyDates_->setTickCount(8);
  history->addAxis(historyDates_, Qt::AlignBottom);
  gaps_->attachAxis(historyDates_);
  historyScale_ = delayAxis(history, gaps_);
}

// The current delay against the longest, number by number.
void Statistiche::showBars() {
  int highest = 0;
  for (int n = 1; n <= kHighestNumber; ++n) {
    const NumberFigures& s = statistics_.numbers[static_cast<size_t>(n)];
    currentDelays_->replace(n - 1, s.delay);
    longestDelays_->replace(n - 1, s.longestDelay);
    highest = std::max(highest, s.longestDelay);
  }
  setHighestDelay(barsScale_, highest);
  bars_->chart()->setTitle(
      QString("Ritardo attuale e ritardo massimo dei 90 numeri su %1").arg(ruota_->currentText()));
}

// Every gap between two appearances of the selected number, placed at the date that ends it.
void Statistiche::showHistory() {
  const DrawArchive& archive = context_.archive();
  QList<QPointF> points;
  int highest = 0;
  for (const DelayGap& gap : delayHistory(archive, wheel_, range_, selected_)) {
    const QDateTime date = drawDate(archive, gap.draw).startOfDay();
    points.append(QPointF(static_cast<qreal>(date.toMSecsSinceEpoch()), gap.delay));
    highest = std::max(highest, gap.delay);
  }
  gaps_->replace(points);
  gaps_->setPointsVisible(points.size() <= kMarkedPoints);
  gaps_->setName(QString("Ritardi del numero %1").arg(selected_));
  setHighestDelay(historyScale_, highest);
  const QDate from = drawDate(archive, std::max(range_.first, 1));
  const QDate to = drawDate(archive, std::min(range_.last, archive.count()));
  if (from.isValid() && to.isValid() && from < to)
    historyDates_->setRange(from.startOfDay(), to.startOfDay());
  // Years over a long range; months and years over a few.
  historyDates_->setFormat(from.isValid() && from.daysTo(to) < 3 * 365 ? "MM/yyyy" : "yyyy");
  const NumberFigures& s = statistics_.numbers[static_cast<size_t>(selected_)];
  history_->chart()->setTitle(QString("Storico dei ritardi del numero %1 su %2: ritardo attuale "
                                      "%3, massimo %4")
                                  .arg(selected_)
                                  .arg(ruota_->currentText())
                                  .arg(s.delay)
                                  .arg(s.longestDelay));
}

}  // namespace quintello
