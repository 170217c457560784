// The program's start on damaged, odd or unreachable archives of the shared list, named by
// PercorsoArchivio: one that cannot be opened takes the first-use road with the reason, one
// that cannot be loaded is refused on "PROCEDI" with the reason, the start-up window stays
// usable, and no file changes. The core and quintello-cli meet every archive of the list.
#include <QLabel>
#include <QTest>
#include <filesystem>
#include <optional>
#include <set>
#include <tuple>

#include "archive/first_start.h"
#include "core/program_database.h"
#include "gui/shell/startup_window.h"
#include "gui/support/program.h"
#include "support/bad_archives.h"
#include "support/folder_snapshot.h"
#include "support/message_checks.h"
#include "support/ordinary_user.h"

using namespace quintello;
using Stage = test::Expectation::Stage;

class StartupBadArchiveTest : public QObject {
  Q_OBJECT

 private slots:
  // One archive of the list for each distinct way the window meets them.
  void meetsEachKindOfArchiveAsExpected_data() {
    QTest::addColumn<int>("index");
    const auto& cases = test::badArchiveCases();
    std::set<std::tuple<Stage, bool, bool, bool>> outcomes;
    for (size_t i = 0; i < cases.size(); ++i) {
      const test::Expectation& e = cases[i].program;
      if (outcomes
              .insert({e.stage, e.draws > 0, e.completesInterruptedWrite, cases[i].asOrdinaryUser})
              .second)
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
    if (badCase.asOrdinaryUser) {
      test::openFolderToEveryone(root.path());
      test::openFolderToEveryone(folder, true);
      std::filesystem::permissions(ProgramFiles(folder).programDatabasePath(),
                                   std::filesystem::perms::all);
    }
    const auto before = test::snapshotFolder(root.path());
    {
      std::optional<test::AsOrdinaryUser> user;
      if (badCase.asOrdinaryUser && !user.emplace().active())
        QSKIP("cannot run as an ordinary user");
      test::Run run(folder, root.file("nessuno.txt"));
      QVERIFY(run.launcher.start());
      run.launcher.startupWindow()->proceed();
      // Refused at open: first use with the reason, the file dialog (cancelled), then
      // "PROCEDI" refused; refused at load: "PROCEDI" refused, naming the file.
      const QStringList messages = run.dialogs.messages();
      const QString named = "Il file \"" + QString::fromStdString(path) + "\" ";
      const bool atOpen = expected.stage == Stage::RefusedAtOpen;
      QCOMPARE(messages.size(), expected.stage == Stage::Loads ? 0 : atOpen ? 2 : 1);
      QCOMPARE(run.dialogs.shown().size(), size_t(messages.size() + (atOpen ? 1 : 0)));
      for (const QString& message : messages) {
        QVERIFY2(message.contains(QString::fromStdString(expected.words)), qPrintable(message));
        QCOMPARE(test::foreignTextIn(message.toStdString()), std::string());
      }
      if (!messages.isEmpty())
        QVERIFY2(messages[0].startsWith(atOpen ? "Attenzione, la prima volta" : named),
                 qPrintable(messages[0]));
      if (atOpen) QVERIFY(messages[0].contains("\n\n" + named));
      QCOMPARE(bool(run.launcher.mainWindow()), expected.stage == Stage::Loads);
      if (auto* main = run.launcher.mainWindow())  // no last draw for an empty archive
        QCOMPARE(test::the<QLabel>(main, "Lbl_fineNE")->text(),
                 expected.draws ? QString::number(expected.draws) : QString());
      else
        QVERIFY(run.launcher.startupWindow()->isVisible());
    }
    if (expected.completesInterruptedWrite)
      QVERIFY(!std::filesystem::exists(path + "-journal"));
    else
      QCOMPARE(test::describeChanges(before, test::snapshotFolder(root.path())), std::string());
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
                                          << "è una cartella, non un file";
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
    test::Run run(folder, folder + "/nessuno.txt");
    QVERIFY(!run.launcher.start());
    QCOMPARE(run.dialogs.messages().size(), 1);
    QCOMPARE(run.dialogs.shown()[0].icon, Dialogs::Icon::Critical);
    const QString message = run.dialogs.shown()[0].text;
    QVERIFY2(message.startsWith("Impossibile aprire il database del programma \"" +
                                QString::fromStdString(ProgramFiles(folder).programDatabasePath())),
             qPrintable(message));
    QVERIFY2(message.contains(expected), qPrintable(message));
    QCOMPARE(test::describeChanges(before, test::snapshotFolder(root.path())), std::string());
  }
};

QTEST_MAIN(StartupBadArchiveTest)
#include "startup_bad_archive_test.moc"
