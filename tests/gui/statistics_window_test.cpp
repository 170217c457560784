// The statistics window: each control asks the core for its table and shows that grid.
#include "gui/statistics/statistics_window.h"

#include <QtCharts/QChart>
#include <QtCharts/QXYSeries>

#include "gui/support/program.h"

using namespace quintello;
using test::the;

class StatisticsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void controlsShowTheCoreTableAndFollowReloads() {
    auto draws = test::fiveDraws();
    draws.push_back({"10/12/2025", {{"BA", {5, 20, 33, 60, 61}}}});  // one gap in 5's history
    test::Program p(draws);
    test::click(p.main.get(), "CommandStatistiche");
    auto* window = p.main->findChild<Statistiche*>();
    auto* view = the<GridView>(window, "FgStatistiche");
    const DrawArchive& a = p.context.archive();
    const auto differences = [&](int wheel, DrawRange range, auto... order) {
      return test::differences(view,
                               statisticsGrid(a, numberStatistics(a, wheel, range), order...));
    };
    view->setCurrentCell(5, 0);  // the number 5: its delay history
    auto* series = qobject_cast<QXYSeries*>(window->delayHistoryChart()->series().value(0));
    const auto gaps = delayHistory(a, kWheelTT, wholeArchive(a), 5);
    QCOMPARE(series->count(), 1);
    QCOMPARE(series->at(0).y(), qreal(gaps.at(0).delay));
    // The range was the whole archive, so a new draw joins it.
    draws.push_back({"11/12/2025", {{"BA", {1, 2, 3, 4, 5}}}});
    p.reload(draws);
    QCOMPARE(the<QDateEdit>(window, "Al")->date(), QDate(2025, 12, 11));
    QCOMPARE(differences(kWheelTT, wholeArchive(a)), QString());

    auto* ruota = the<QComboBox>(window, "Ruota");
    ruota->setCurrentIndex(0);
    emit ruota->activated(0);
    the<QDateEdit>(window, "Dal")->setDate(QDate(2025, 12, 1));
    the<QDateEdit>(window, "Al")->setDate(QDate(2025, 12, 5));
    const DrawRange december = drawsBetween(a, "2025-12-01", "2025-12-05");
    QCOMPARE(differences(0, december), QString());
    emit view->horizontalHeader()->sectionClicked(2);
    QCOMPARE(differences(0, december, StatisticsColumn::Ritardo), QString());
    emit view->horizontalHeader()->sectionClicked(2);
    QCOMPARE(differences(0, december, StatisticsColumn::Ritardo, true), QString());
  }
};

QTEST_MAIN(StatisticsWindowTest)
#include "statistics_window_test.moc"
