// The program's road from the start-up window to the main window, driven as a user would.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "archive/first_start.h"
#include "core/program_database.h"
#include "gui/common/app_context.h"
#include "gui/common/grid_view.h"
#include "gui/shell/launcher.h"
#include "gui/shell/main_window.h"
#include "gui/shell/startup_window.h"
#include "gui/support/program.h"
#include "support/test_archive.h"

using namespace quintello;
using test::Run;

namespace {

const QString kFirstUse =
    "Attenzione, la prima volta è necessario configurare l'origine dell'archivio";

void setParameter(const std::string& folder, const char* key, const std::string& value) {
  QVERIFY(
      ProgramDatabase::open(ProgramFiles(folder).programDatabasePath()).setParameter(key, value));
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void firstStartOpensTheBundledArchive() {
    test::TempDir dir;
    Run run(dir.path());
    QVERIFY(run.launcher.start());
    QVERIFY(run.dialogs.shown().empty());
    QCOMPARE(run.label("Lbl_Archivio"),
             QString::fromStdString(ProgramFiles(dir.path()).defaultArchivePath()));

    QTest::mouseClick(run.find<QPushButton>("Command2"), Qt::LeftButton);
    QVERIFY(run.launcher.mainWindow());
    QVERIFY(run.launcher.mainWindow()->isVisible());
    QCOMPARE(run.label("LblInizio"), QString("07/01/1871"));
    QCOMPARE(run.label("Lbl_inizioNE"), QString("1"));
    QCOMPARE(run.label("LblFine"), QString("30/12/2025"));
    QCOMPARE(run.label("Lbl_fineNE"), QString("10779"));
    QCOMPARE(run.label("Lbl_Ev"), QString("10779"));
    auto* grid = run.find<GridView>("fgpa");
    QCOMPARE(grid->model()->rowCount(), 10779);
    QCOMPARE(grid->grid().text(10779, 2), std::string("30/12/2025"));
    run.context.progress().setValue(1);  // long work reports into the main window's bar
    QCOMPARE(run.find<QProgressBar>("Pb1")->value(), 1);
  }

  void rangeFollowsEstrazioneIniziale_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("count");
    QTest::newRow("3") << "3"
                       << "3"
                       << "4";
    QTest::newRow("0 is clamped") << "0"
                                  << "1"
                                  << "6";
    QTest::newRow("past N is clamped") << "99"
                                       << "6"
                                       << "1";
    QTest::newRow("not a number") << "abc"
                                  << "1"
                                  << "6";
  }
  void rangeFollowsEstrazioneIniziale() {
    QFETCH(QString, stored);
    test::TempDir dir;
    const std::string archive = dir.file("mio.mdb");
    test::writeArchiveFile(archive, test::weeklyDraws(6));
    openProgramDatabase(ProgramFiles(dir.path()), dir.file("nessuno.txt"));
    setParameter(dir.path(), "PercorsoArchivio", archive);
    setParameter(dir.path(), "EstrazioneIniziale", stored.toStdString());
    Run run(dir.path());
    QVERIFY(run.launcher.start());
    run.launcher.startupWindow()->proceed();
    QVERIFY(run.launcher.mainWindow());
    QTEST(run.label("Lbl_inizioNE"), "first");
    QCOMPARE(run.label("Lbl_fineNE"), QString("6"));
    QTEST(run.label("Lbl_Ev"), "count");
  }

  void missingArchiveAsksForOneAndRecordsTheChoice() {
    test::TempDir dir;
    const std::string chosen = dir.file("scelto.mdb");
    test::writeArchiveFile(chosen, test::weeklyDraws(4));
    openProgramDatabase(ProgramFiles(dir.path()), dir.file("nessuno.txt"));  // no bundled draws
    Run run(dir.path(), dir.file("nessuno.txt"));
    run.dialogs.answerText(QString::fromStdString(chosen));
    QVERIFY(run.launcher.start());
    QCOMPARE(run.dialogs.messages(), QStringList{kFirstUse});
    QCOMPARE(run.dialogs.shown()[0].title, QString("Selezionare Archivio"));
    QCOMPARE(run.dialogs.shown()[1].kind, QString("open"));
    QCOMPARE(run.label("Lbl_Archivio"), "Database: " + QString::fromStdString(chosen));
    std::ifstream side(dir.file("PercorsoDatabase.txt"), std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(side)), {});
    QCOMPARE(content, "\"" + chosen + "\"\r\n");
    QCOMPARE(ProgramDatabase::open(ProgramFiles(dir.path()).programDatabasePath())
                 .getParameter("PercorsoArchivio"),
             std::optional<std::string>("scelto.mdb"));  // inside the program folder
    run.launcher.startupWindow()->proceed();
    QVERIFY(run.launcher.mainWindow());
    QCOMPARE(run.label("Lbl_fineNE"), QString("4"));
  }

  void cancelledChoiceKeepsTheWindowUsable() {
    test::TempDir dir;
    openProgramDatabase(ProgramFiles(dir.path()), dir.file("nessuno.txt"));
    Run run(dir.path(), dir.file("nessuno.txt"));
    run.dialogs.answerCancel();
    QVERIFY(run.launcher.start());
    QCOMPARE(run.label("Lbl_Archivio"), QString());
    QVERIFY(!std::filesystem::exists(dir.file("PercorsoDatabase.txt")));
    run.dialogs.clear();
    run.launcher.startupWindow()->proceed();
    QVERIFY(!run.launcher.mainWindow());
    QCOMPARE(run.dialogs.shown().size(), size_t(1));
    QVERIFY(run.dialogs.messages()[0].contains("SELEZIONE ARCHIVIO"));
    QVERIFY(run.launcher.startupWindow()->isVisible());
  }

  void fileThatIsNotAnArchiveIsRefused() {
    test::TempDir dir;
    Run run(dir.path());
    QVERIFY(run.launcher.start());
    const std::string before = run.context.archivePath();
    const std::string text = dir.file("note.mdb");
    std::ofstream(text) << "non è un archivio";
    run.dialogs.answerText(QString::fromStdString(text));
    QTest::mouseClick(run.find<QPushButton>("Command4"), Qt::LeftButton);
    QCOMPARE(run.dialogs.messages().size(), qsizetype(1));
    QVERIFY(run.dialogs.messages()[0].contains("non può essere usato come archivio"));
    QCOMPARE(run.context.archivePath(), before);
    // The program stays usable: the archive in use still loads.
    run.launcher.startupWindow()->proceed();
    QVERIFY(run.launcher.mainWindow());
  }

  void fineEndsTheProgramFromEitherWindow() {
    test::TempDir dir;
    Run run(dir.path());
    QVERIFY(run.launcher.start());
    QTest::mouseClick(run.find<QPushButton>("Command3"), Qt::LeftButton);
    QCOMPARE(run.quits, 1);
    QVERIFY(!run.context.programDatabase());

    Run again(dir.path());
    QVERIFY(again.launcher.start());
    again.launcher.startupWindow()->proceed();
    QTest::mouseClick(again.find<QPushButton>("Command45"), Qt::LeftButton);
    QCOMPARE(again.quits, 1);
    QVERIFY(!again.context.archiveDatabase());
  }

  void mainWindowButtonsOfLaterWindowsWait() {
    test::TempDir dir;
    Run run(dir.path());
    QVERIFY(run.launcher.start());
    run.launcher.startupWindow()->proceed();
    auto* quadrature = run.find<QPushButton>("Command3");
    QVERIFY(quadrature);
    QVERIFY(quadrature->isHidden());
  }

  void standardDialogsSpeakItalian() {
    installItalianTranslations();
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString("&Sì"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Annulla"));
  }

  void helpOpensOnTheProgramsPage() {
    test::TempDir dir;
    Run run(dir.path());
    QVERIFY(run.launcher.start());
    QTest::mouseClick(run.find<QPushButton>("CmDHelp"), Qt::LeftButton);
    QVERIFY(run.context.help().window());
    QVERIFY(run.context.help().window()->toPlainText().contains("SELEZIONE ARCHIVIO"));
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
