// The program's road from the start-up window to the main window, driven as a user would.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>

#include "archive/first_start.h"
#include "core/program_database.h"
#include "gui/common/app_context.h"
#include "gui/common/grid_view.h"
#include "gui/shell/startup_window.h"
#include "gui/support/program.h"

using namespace quintello;
using test::Run;

namespace {

// A program folder whose database names an archive of `draws` weekly draws (0: none) and
// the model's first draw.
std::string programFolder(const test::TempDir& dir, int draws, const std::string& first = "1") {
  auto db = openProgramDatabase(ProgramFiles(dir.path()), dir.file("nessuno.txt"));
  if (draws > 0) test::writeArchiveFile(dir.file("mio.mdb"), test::weeklyDraws(draws));
  if (!db.setParameter("EstrazioneIniziale", first) ||
      (draws > 0 && !db.setParameter("PercorsoArchivio", dir.file("mio.mdb"))))
    qFatal("no parameters");
  return dir.path();
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  // The first start imports the bundled draws into the program folder's archive; "PROCEDI"
  // loads it into the main window, whose bar shows the progress of long work.
  void firstStartOpensTheBundledArchive() {
    test::TempDir dir;
    Run run(dir.path());
    QVERIFY(run.launcher.start());
    QVERIFY(run.dialogs.shown().empty());
    QCOMPARE(run.label("Lbl_Archivio"),
             QString::fromStdString(ProgramFiles(dir.path()).defaultArchivePath()));
    test::click(run.launcher.startupWindow(), "Command2");
    QVERIFY(run.launcher.mainWindow() && run.launcher.mainWindow()->isVisible());
    QCOMPARE(run.label("Lbl_fineNE"), QString("10779"));
    QCOMPARE(run.find<GridView>("fgpa")->grid().text(10779, 2), std::string("30/12/2025"));
    run.context.progress().setValue(1);
    QCOMPARE(run.find<QProgressBar>("Pb1")->value(), 1);
  }

  void firstDrawFollowsEstrazioneIniziale_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("first");
    QTest::newRow("3") << "3"
                       << "3";
    QTest::newRow("not a number") << "abc"
                                  << "1";
  }
  void firstDrawFollowsEstrazioneIniziale() {
    QFETCH(QString, stored);
    test::TempDir dir;
    Run run(programFolder(dir, 6, stored.toStdString()));
    QVERIFY(run.launcher.start());
    run.launcher.startupWindow()->proceed();
    QTEST(run.label("Lbl_inizioNE"), "first");
  }

  // No archive and no bundled draws: first use asks for one, which is used and recorded.
  void missingArchiveAsksForOneAndRecordsTheChoice() {
    test::TempDir dir;
    Run run(programFolder(dir, 0), dir.file("nessuno.txt"));
    const std::string chosen = dir.file("scelto.mdb");
    test::writeArchiveFile(chosen, test::weeklyDraws(4));
    run.dialogs.answerText(QString::fromStdString(chosen));
    QVERIFY(run.launcher.start());
    QCOMPARE(
        run.dialogs.messages(),
        QStringList{"Attenzione, la prima volta è necessario configurare l'origine dell'archivio"});
    QCOMPARE(run.label("Lbl_Archivio"), "Database: " + QString::fromStdString(chosen));
    QVERIFY(std::filesystem::exists(dir.file("PercorsoDatabase.txt")));
    QCOMPARE(ProgramDatabase::open(ProgramFiles(dir.path()).programDatabasePath())
                 .getParameter("PercorsoArchivio"),
             std::optional<std::string>("scelto.mdb"));  // inside the program folder
    run.launcher.startupWindow()->proceed();
    QCOMPARE(run.label("Lbl_fineNE"), QString("4"));
  }

  // The choice cancelled, or a file that is no archive: "PROCEDI" goes on with what was there.
  void refusedChoiceKeepsTheWindowUsable() {
    test::TempDir dir;
    Run run(programFolder(dir, 0), dir.file("nessuno.txt"));
    QVERIFY(run.launcher.start());  // the choice cancelled
    run.launcher.startupWindow()->proceed();
    QVERIFY(!run.launcher.mainWindow());
    QVERIFY(run.dialogs.messages().last().contains("SELEZIONE ARCHIVIO"));
    QVERIFY(test::writeFile(dir.file("note.mdb"), "non è un archivio"));
    run.dialogs.answerText(QString::fromStdString(dir.file("note.mdb")));
    test::click(run.launcher.startupWindow(), "Command4");
    QVERIFY(run.dialogs.messages().last().contains("non può essere usato come archivio"));
    QCOMPARE(run.context.archivePath(), std::string());
  }

  void fineEndsTheProgramFromEitherWindow() {
    test::TempDir dir;
    Run run(dir.path());
    QVERIFY(run.launcher.start());
    test::click(run.launcher.startupWindow(), "CmDHelp");
    QVERIFY(run.context.help().window()->toPlainText().contains("SELEZIONE ARCHIVIO"));
    test::click(run.launcher.startupWindow(), "Command3");
    QCOMPARE(run.quits, 1);
    QVERIFY(!run.context.programDatabase());
    Run again(dir.path());
    QVERIFY(again.launcher.start());
    again.launcher.startupWindow()->proceed();
    test::click(again.launcher.mainWindow(), "Command45");
    QCOMPARE(again.quits, 1);
    QVERIFY(!again.context.archiveDatabase());
  }

  void standardDialogsSpeakItalian() {
    installItalianTranslations();
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annulla"));
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
