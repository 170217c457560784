#pragma once

#include <QDate>
#include <QWidget>

#include "analysis/statistics/number_statistics.h"

class QBarSet;
class QChart;
class QChartView;
class QComboBox;
class QDateEdit;
class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QValueAxis;

namespace quintello {

class AppContext;
class GridView;

// Statistiche: for a wheel (or TT, the ten classic wheels together) and a range of dates, the
// frequency, current and longest delay and last appearance of the 90 numbers in a table
// sortable by any column, their current and longest delays as bars, and the delay history of
// the number selected in the table. Everything shown comes from the statistics of the core;
// the window follows every archive reload.
class Statistiche : public QWidget {
  Q_OBJECT

 public:
  explicit Statistiche(AppContext& context, QWidget* parent = nullptr);

  // The commands, as the user gives them.
  void chooseWheel(int wheel);  // 0..10 or kWheelTT
  void chooseRange(QDate from, QDate to);
  void selectNumber(int number);
  void sortBy(int column);  // a click on a column's header: the same column again turns the order

  int selectedNumber() const { return selected_; }
  QChart* delayHistoryChart() const;

 private:
  QWidget* buildChoices();
  void buildCharts();
  void followArchive();
  void refresh();
  void showTable();
  void showSelection();
  void showBars();
  void showHistory();

  AppContext& context_;
  QComboBox* ruota_;
  QDateEdit* dal_;
  QDateEdit* al_;
  QLabel* considered_;
  GridView* table_;
  QChartView* bars_;
  QBarSet* currentDelays_;
  QBarSet* longestDelays_;
  QValueAxis* barsScale_;
  QChartView* history_;
  QLineSeries* gaps_;
  QDateTimeAxis* historyDates_;
  QValueAxis* historyScale_;
  QDate archiveFirst_, archiveLast_;
  int wheel_ = kWheelTT;
  DrawRange range_;
  StatisticsTable statistics_;
  StatisticsColumn sortColumn_ = StatisticsColumn::Numero;
  bool descending_ = false;
  int selected_ = 1;
};

}  // namespace quintello
