// The program's road from the start-up window to the main window, also on bad archives.
#include <filesystem>
#include <set>

#include "archive/first_start.h"
#include "core/program_database.h"
#include "gui/shell/startup_window.h"
#include "gui/support/program.h"
#include "support/bad_archives.h"
#include "support/folder_snapshot.h"

using namespace quintello;
using test::Run;
using Stage = test::Expectation::Stage;

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void firstStartOpensTheBundledArchive() {
    installItalianTranslations();  // as main does: Qt's own dialogs speak Italian
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annulla"));
    test::TempDir dir;
    Run run(dir.path());
    QVERIFY(run.launcher.start());
    QVERIFY(run.dialogs.shown().empty());
    QCOMPARE(run.label("Lbl_Archivio"),
             QString::fromStdString(ProgramFiles(dir.path()).defaultArchivePath()));
    test::click(run.launcher.startupWindow(), "Command2");
    QVERIFY(run.launcher.mainWindow() && run.launcher.mainWindow()->isVisible());
    QCOMPARE(run.label("Lbl_fineNE"), QString("10779"));
    test::click(run.launcher.mainWindow(), "Command45");
    QCOMPARE(run.quits, 1);
    QVERIFY(!run.context.archiveDatabase());
    Run again(dir.path());
    QVERIFY(again.launcher.start());
    test::click(again.launcher.startupWindow(), "Command3");
    QCOMPARE(again.quits, 1);
    QVERIFY(!again.context.programDatabase());
    // A program database that cannot be opened ends the start, saying why.
    test::TempDir root;
    std::filesystem::create_directories(ProgramFiles(root.path()).programDatabasePath());
    Run broken(root.path(), root.file("nessuno.txt"));
    QVERIFY(!broken.launcher.start());
    QCOMPARE(broken.dialogs.shown().size(), size_t(1));
    QVERIFY(broken.dialogs.shown()[0].icon == Dialogs::Icon::Critical &&
            broken.dialogs.shown()[0].text.contains("è una cartella"));
  }

  // No archive at all: the choice cancelled or a file that is no archive leave "PROCEDI" refused.
  void missingArchiveAsksForOneAndRecordsTheChoice() {
    test::TempDir dir;
    QVERIFY(openProgramDatabase(ProgramFiles(dir.path()), dir.file("nessuno.txt"))
                .setParameter("EstrazioneIniziale", "3"));
    Run run(dir.path(), dir.file("nessuno.txt"));
    QVERIFY(run.launcher.start());  // the choice cancelled
    QCOMPARE(
        run.dialogs.messages(),
        QStringList{"Attenzione, la prima volta è necessario configurare l'origine dell'archivio"});
    run.launcher.startupWindow()->proceed();
    QVERIFY(!run.launcher.mainWindow());
    QVERIFY(run.dialogs.messages().last().contains("SELEZIONE ARCHIVIO"));
    test::writeFile(dir.file("note.mdb"), "non è un archivio");
    run.dialogs.answerText(QString::fromStdString(dir.file("note.mdb")));
    test::click(run.launcher.startupWindow(), "Command4");
    QVERIFY(run.dialogs.messages().last().contains("non può essere usato come archivio"));
    QCOMPARE(run.context.archivePath(), std::string());
    const std::string chosen = dir.file("scelto.mdb");
    test::writeArchiveFile(chosen, test::weeklyDraws(4));
    run.dialogs.answerText(QString::fromStdString(chosen));
    test::click(run.launcher.startupWindow(), "Command4");
    QCOMPARE(run.label("Lbl_Archivio"), "Database: " + QString::fromStdString(chosen));
    QVERIFY(std::filesystem::exists(dir.file("PercorsoDatabase.txt")));
    // Inside the program folder: the name alone.
    QVERIFY(run.context.programDatabase()->getParameter("PercorsoArchivio") == "scelto.mdb");
    run.launcher.startupWindow()->proceed();
    QCOMPARE(run.label("Lbl_fineNE"), QString("4"));
    QCOMPARE(run.label("Lbl_inizioNE"), QString("3"));
  }

  // One bad archive per outcome: the reason told, the start-up window usable, no file changed.
  void meetsEachKindOfArchiveAsExpected_data() {
    QTest::addColumn<int>("index");
    const auto& cases = test::badArchiveCases();
    std::set<std::tuple<Stage, bool, bool>> outcomes;
    for (size_t i = 0; i < cases.size(); ++i) {
      const test::Expectation& e = cases[i].program;
      if (!cases[i].asOrdinaryUser &&
          outcomes.insert({e.stage, e.draws > 0, e.completesInterruptedWrite}).second)
        QTest::newRow(cases[i].name.c_str()) << int(i);
    }
  }
  void meetsEachKindOfArchiveAsExpected() {
    QFETCH(int, index);
    const auto& badCase = test::badArchiveCases()[size_t(index)];
    const test::Expectation& expected = badCase.program;
    test::TempDir root;
    const std::string folder = root.file("programma"), caseFolder = root.file("caso");
    std::filesystem::create_directory(caseFolder);
    test::Held held;
    const std::string path = badCase.make(caseFolder, held);
    QVERIFY(openProgramDatabase(ProgramFiles(folder), root.file("nessuno.txt"))
                .setParameter("PercorsoArchivio", path));
    const auto before = test::snapshotFolder(root.path());
    {
      Run run(folder, root.file("nessuno.txt"));
      QVERIFY(run.launcher.start());
      run.launcher.startupWindow()->proceed();
      // Refused at open: first use with the reason and the file dialog, then "PROCEDI" refused.
      const QStringList messages = run.dialogs.messages();
      const bool atOpen = expected.stage == Stage::RefusedAtOpen;
      QCOMPARE(messages.size(), expected.stage == Stage::Loads ? 0 : atOpen ? 2 : 1);
      QCOMPARE(run.dialogs.shown().size(), size_t(messages.size() + (atOpen ? 1 : 0)));
      for (const QString& message : messages)
        QVERIFY2(message.contains(QString::fromStdString(expected.words)), qPrintable(message));
      if (atOpen) QVERIFY(messages[0].startsWith("Attenzione, la prima volta"));
      QCOMPARE(bool(run.launcher.mainWindow()), expected.stage == Stage::Loads);
      if (run.launcher.mainWindow())  // no last draw for an empty archive
        QCOMPARE(run.label("Lbl_fineNE"), expected.draws ? QString::number(expected.draws) : "");
      else
        QVERIFY(run.launcher.startupWindow()->isVisible());
    }
    if (expected.completesInterruptedWrite)
      QVERIFY(!std::filesystem::exists(path + "-journal"));
    else
      QCOMPARE(test::describeChanges(before, test::snapshotFolder(root.path())), std::string());
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
