// The statistics window, driven as a user would: each control asks the core for its table
// and the window shows that grid. The figures themselves are tested in core.
#include "gui/statistics/statistics_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QtCharts/QChart>
#include <QtCharts/QXYSeries>

#include "gui/common/app_context.h"
#include "gui/common/grid_view.h"
#include "gui/shell/main_window.h"
#include "gui/support/program.h"
#include "support/test_archive.h"

using namespace quintello;

namespace {

// Five draws on a few wheels, then one with 5 again on Bari: one gap in the history of 5.
std::vector<test::TestDraw> draws() {
  auto draws = test::fiveDraws();
  draws.push_back({"10/12/2025", {{"BA", {5, 20, 33, 60, 61}}}});
  return draws;
}

// The program after "PROCEDI" with the statistics window opened from the main window.
struct Program : test::Program {
  Program() : test::Program(draws()) {
    QTest::mouseClick(main->findChild<QPushButton*>("CommandStatistiche"), Qt::LeftButton);
    window = main->findChild<Statistiche*>();
  }
  QString shown() const {
    return QString::fromStdString(window->findChild<GridView*>("FgStatistiche")->grid().clipText());
  }
  QString core(int wheel, DrawRange range, StatisticsColumn column = StatisticsColumn::Numero,
               bool descending = false) const {
    const DrawArchive& archive = context.archive();
    return QString::fromStdString(
        statisticsGrid(archive, numberStatistics(archive, wheel, range), column, descending)
            .clipText());
  }

  Statistiche* window = nullptr;
};

}  // namespace

class StatisticsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void eachControlShowsTheCoreTable() {
    Program p;
    QVERIFY(p.window);
    const DrawRange whole = wholeArchive(p.context.archive());
    QCOMPARE(p.shown(), p.core(kWheelTT, whole));

    auto* ruota = p.window->findChild<QComboBox*>("Ruota");
    ruota->setCurrentIndex(0);
    emit ruota->activated(0);
    QCOMPARE(p.shown(), p.core(0, whole));

    p.window->findChild<QDateEdit*>("Dal")->setDate(QDate(2025, 12, 1));
    p.window->findChild<QDateEdit*>("Al")->setDate(QDate(2025, 12, 5));
    const DrawRange december = drawsBetween(p.context.archive(), "2025-12-01", "2025-12-05");
    QCOMPARE(p.shown(), p.core(0, december));

    QHeaderView* header = p.window->findChild<GridView*>("FgStatistiche")->horizontalHeader();
    emit header->sectionClicked(2);
    QCOMPARE(p.shown(), p.core(0, december, StatisticsColumn::Ritardo));
    emit header->sectionClicked(2);
    QCOMPARE(p.shown(), p.core(0, december, StatisticsColumn::Ritardo, true));
  }

  void theHistoryFollowsTheSelectedNumber() {
    Program p;
    auto* view = p.window->findChild<GridView*>("FgStatistiche");
    view->setCurrentCell(5, 0);  // the number 5
    QCOMPARE(p.window->selectedNumber(), 5);
    auto* series = qobject_cast<QXYSeries*>(p.window->delayHistoryChart()->series().value(0));
    QVERIFY(series);
    const auto gaps =
        delayHistory(p.context.archive(), kWheelTT, wholeArchive(p.context.archive()), 5);
    QCOMPARE(int(gaps.size()), 1);
    QCOMPARE(series->count(), 1);
    QCOMPARE(series->at(0).y(), qreal(gaps[0].delay));
  }

  void followsArchiveReloads() {
    Program p;
    auto more = draws();
    more.push_back({"11/12/2025", {{"BA", {1, 2, 3, 4, 5}}}});
    p.context.archiveForLoading() = test::makeArchive(more);
    emit p.context.archiveReloaded();
    // The range was the whole archive, so the new draw joins it.
    QCOMPARE(p.window->findChild<QDateEdit*>("Al")->date(), QDate(2025, 12, 11));
    QCOMPARE(p.shown(), p.core(kWheelTT, wholeArchive(p.context.archive())));
  }
};

QTEST_MAIN(StatisticsWindowTest)
#include "statistics_window_test.moc"
