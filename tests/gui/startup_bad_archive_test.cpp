// The program's start on damaged, odd or unreachable archives of the shared list, named
// by PercorsoArchivio: an archive that cannot be opened takes the first-use road with the
// reason, one that cannot be loaded is refused on "PROCEDI" with the reason, the start-up
// window stays usable, and no file changes.
#include <QLabel>
#include <QTest>
#include <filesystem>
#include <optional>
#include <set>
#include <tuple>

#include "archive/first_start.h"
#include "core/program_database.h"
#include "gui/common/app_context.h"
#include "gui/shell/launcher.h"
#include "gui/shell/main_window.h"
#include "gui/shell/startup_window.h"
#include "gui/support/program.h"
#include "support/bad_archives.h"
#include "support/folder_snapshot.h"
#include "support/message_checks.h"
#include "support/ordinary_user.h"
#include "support/test_archive.h"

using namespace quintello;
using test::Run;
using Stage = test::Expectation::Stage;

namespace {

const QString kFirstUse =
    "Attenzione, la prima volta è necessario configurare l'origine dell'archivio";

// What a run of the program showed.
struct Seen {
  QStringList messages;
  QStringList titles;
  bool fileDialog = false;
  bool mainWindow = false;
  bool startupWindowVisible = false;
  QString lastDraw;
};

// Starts the program, leaves the file dialog unanswered, and presses "PROCEDI" unless the
// main window is already there.
Seen startAndProceed(const std::string& programFolder) {
  Seen seen;
  Run run(programFolder, programFolder + "/nessuno.txt");
  if (!run.launcher.start()) return seen;
  run.launcher.startupWindow()->proceed();
  for (const auto& shown : run.dialogs.shown()) {
    if (shown.kind == "open") seen.fileDialog = true;
    if (shown.kind != "message") continue;
    seen.messages << shown.text;
    seen.titles << shown.title;
  }
  if (auto* main = run.launcher.mainWindow()) {
    seen.mainWindow = true;
    seen.lastDraw = main->findChild<QLabel*>("Lbl_fineNE")->text();
  } else {
    seen.startupWindowVisible = run.launcher.startupWindow()->isVisible();
  }
  return seen;
}

}  // namespace

class StartupBadArchiveTest : public QObject {
  Q_OBJECT

 private slots:
  // One archive of the list for each way the window meets them; the program's core and
  // quintello-cli meet every one of them in tests/core and tests/cli.
  void meetsEachKindOfArchiveAsExpected_data() {
    QTest::addColumn<int>("index");
    const auto& cases = test::badArchiveCases();
    std::set<std::tuple<Stage, bool, bool, bool>> outcomes;
    for (size_t i = 0; i < cases.size(); ++i) {
      const test::Expectation& e = cases[i].program;
      if (outcomes
              .insert({e.stage, e.draws > 0, e.completesInterruptedWrite, cases[i].asOrdinaryUser})
              .second)
        QTest::newRow(cases[i].name.c_str()) << static_cast<int>(i);
    }
  }
  void meetsEachKindOfArchiveAsExpected() {
    QFETCH(int, index);
    const auto& badCase = test::badArchiveCases()[static_cast<size_t>(index)];
    const test::Expectation& expected = badCase.program;
    test::TempDir root;
    const std::string programFolder = root.file("programma"), caseFolder = root.file("caso");
    std::filesystem::create_directory(caseFolder);
    openProgramDatabase(ProgramFiles(programFolder), root.file("nessuno.txt"));
    test::Held held;
    const std::string path = badCase.make(caseFolder, held);
    QVERIFY(ProgramDatabase::open(ProgramFiles(programFolder).programDatabasePath())
                .setParameter("PercorsoArchivio", path));
    if (badCase.asOrdinaryUser) {
      test::openFolderToEveryone(root.path());
      test::openFolderToEveryone(programFolder, true);
      std::filesystem::permissions(ProgramFiles(programFolder).programDatabasePath(),
                                   std::filesystem::perms::all);
    }
    const auto before = test::snapshotFolder(root.path());

    Seen seen;
    {
      std::optional<test::AsOrdinaryUser> user;
      if (badCase.asOrdinaryUser && !user.emplace().active())
        QSKIP("cannot run as an ordinary user");
      seen = startAndProceed(programFolder);
    }

    const QString words = QString::fromStdString(expected.words);
    const QString named = "Il file \"" + QString::fromStdString(path) + "\" ";
    switch (expected.stage) {
      case Stage::Loads:
        QCOMPARE(seen.messages, QStringList());
        QVERIFY(seen.mainWindow);
        // The main window names no last draw of an empty archive.
        QCOMPARE(seen.lastDraw, expected.draws ? QString::number(expected.draws) : QString());
        break;
      case Stage::RefusedAtOpen:
        // First use with the reason, the file dialog (cancelled), then "PROCEDI" refused.
        QCOMPARE(seen.messages.size(), qsizetype(2));
        QVERIFY2(seen.messages[0].startsWith(kFirstUse + "\n\n" + named),
                 qPrintable(seen.messages[0]));
        QVERIFY2(seen.messages[0].contains(words), qPrintable(seen.messages[0]));
        QCOMPARE(seen.titles[0], QString("Selezionare Archivio"));
        QVERIFY(seen.fileDialog);
        QVERIFY2(seen.messages[1].contains(words), qPrintable(seen.messages[1]));
        QCOMPARE(seen.titles[1], QString("Caricamento archivio"));
        QVERIFY(!seen.mainWindow);
        QVERIFY(seen.startupWindowVisible);
        break;
      case Stage::RefusedAtLoad:
        QCOMPARE(seen.messages.size(), qsizetype(1));
        QVERIFY2(seen.messages[0].startsWith(named), qPrintable(seen.messages[0]));
        QVERIFY2(seen.messages[0].contains(words), qPrintable(seen.messages[0]));
        QCOMPARE(seen.titles[0], QString("Caricamento archivio"));
        QVERIFY(!seen.fileDialog);
        QVERIFY(!seen.mainWindow);
        QVERIFY(seen.startupWindowVisible);
        break;
    }
    for (const auto& message : seen.messages)
      QCOMPARE(test::foreignTextIn(message.toStdString()), std::string());

    const auto after = test::snapshotFolder(root.path());
    if (expected.completesInterruptedWrite)
      QVERIFY(!std::filesystem::exists(path + "-journal"));
    else
      QCOMPARE(test::describeChanges(before, after), std::string());
  }

  // A program folder that cannot be followed, or a folder in the place of the program
  // database: one critical message naming dbQuintello.mdb and why, then the program ends.
  void unusableProgramFolderEndsTheStart_data() {
    QTest::addColumn<QString>("inside");
    QTest::addColumn<QString>("expected");
    QTest::newRow("link loop") << "giro"
                               << "collegamento simbolico che rimanda a se stesso";
    QTest::newRow("name too long") << QString(300, 'x') << "troppo lungo per il sistema";
    QTest::newRow("database is a folder") << "cartella"
                                          << "è una cartella, non un file. Spostare o rinominare";
  }
  void unusableProgramFolderEndsTheStart() {
    QFETCH(QString, inside);
    QFETCH(QString, expected);
    test::TempDir root;
    const std::string folder = root.file(inside.toStdString());
    if (inside == "giro") std::filesystem::create_symlink("giro", folder);
    if (inside == "cartella")
      std::filesystem::create_directories(ProgramFiles(folder).programDatabasePath());
    const auto before = test::snapshotFolder(root.path());
    Run run(folder, folder + "/nessuno.txt");
    QVERIFY(!run.launcher.start());
    QCOMPARE(run.dialogs.shown().size(), size_t(1));
    QCOMPARE(run.dialogs.shown()[0].icon, Dialogs::Icon::Critical);
    const QString message = run.dialogs.shown()[0].text;
    QVERIFY2(message.startsWith("Impossibile aprire il database del programma \"" +
                                QString::fromStdString(ProgramFiles(folder).programDatabasePath()) +
                                "\": "),
             qPrintable(message));
    QVERIFY2(message.contains(expected), qPrintable(message));
    QCOMPARE(test::describeChanges(before, test::snapshotFolder(root.path())), std::string());
  }
};

QTEST_MAIN(StartupBadArchiveTest)
#include "startup_bad_archive_test.moc"
