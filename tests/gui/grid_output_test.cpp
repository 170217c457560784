// "Copia tabella" and "Stampa grid": the grid on the clipboard, and the grid printed to PDF,
// read back with poppler's tools.
#include "gui/common/grid_output.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "core/color.h"
#include "core/grid.h"
#include "gui/common/grid_view.h"
#include "gui/support/scripted_dialogs.h"
#include "support/test_archive.h"

using namespace quintello;

namespace {

QString run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return QString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of every page; pdftotext ends each page with a form feed.
QStringList pagesOf(const QString& pdf) {
  QStringList pages = run("pdftotext", {"-layout", pdf, "-"}).split('\f');
  pages.removeLast();
  return pages;
}

// Where a word lies on page 1, in points from the page's top left corner.
QRectF wordBox(const QString& pdf, const QString& word) {
  const QString html = run("pdftotext", {"-f", "1", "-l", "1", "-bbox", pdf, "-"});
  const QRegularExpression pattern(
      QString(R"xx(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">%1<)xx")
          .arg(QRegularExpression::escape(word)));
  const auto match = pattern.match(html);
  if (!match.hasMatch()) return {};
  return QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
}

// How many pixels of page 1, rendered at 50 dots per inch, have the colour.
int pixelsOf(const QString& pdf, const test::TempDir& dir, QColor color) {
  const QString base = QString::fromStdString(dir.file("pagina"));
  run("pdftoppm", {"-png", "-r", "50", "-f", "1", "-l", "1", "-singlefile", pdf, base});
  const QImage image(base + ".png");
  int count = image.isNull() ? -1 : 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == color;
  return count;
}

// A list with a header and `rows` lines: "riga0001  7  vinto", "riga0002  14  perso" ...,
// with a hidden column between the first two.
Grid numberedLines(int rows) {
  Grid grid = Grid::withHeader("Riga|Nascosta|Estrazione|Esito");
  for (int r = 1; r <= rows; ++r) {
    char name[16];
    std::snprintf(name, sizeof name, "riga%04d", r);
    grid.addRow({name, "segreto", std::to_string(r * 7), r % 2 ? "vinto" : "perso"});
  }
  grid.setColumnHidden(1, true);
  return grid;
}

QString pdfPath(const test::TempDir& dir) { return QString::fromStdString(dir.file("stampa.pdf")); }

}  // namespace

class GridOutputTest : public QObject {
  Q_OBJECT

 private slots:
  void copyPutsTheWholeGridOnTheClipboard_data() {
    QTest::addColumn<int>("keep");  // rows kept of the sample grid
    QTest::addColumn<QString>("expected");
    QTest::newRow("header only") << 1 << "N°   \tValore\tNome";
    QTest::newRow("numbers as shown")
        << 4 << "N°   \tValore\tNome\r1\t12\ta\r2\t07\t\r3\t7.50\tc d";
  }
  void copyPutsTheWholeGridOnTheClipboard() {
    QFETCH(int, keep);
    QFETCH(QString, expected);
    Grid grid = Grid::withHeader("N°   |Valore|Nome");
    grid.addRow({"1", "12", "a"});
    grid.addRow({"2", "07", ""});
    grid.addRow({"3", "7.50", "c d"});
    grid.setColumnHidden(2, true);  // hidden columns are copied too
    grid.setRows(keep);
    QApplication::clipboard()->setText("testo di prima");
    copyGridToClipboard(grid);
    QCOMPARE(QApplication::clipboard()->text(), expected);
  }

  void printsEveryLineUnderTheHeaderOfEachPage_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("margin");  // twips, on every side
    QTest::addColumn<bool>("onePage");
    QTest::newRow("header only") << 0 << 350 << true;
    QTest::newRow("3 rows") << 3 << 350 << true;
    QTest::newRow("300 rows, 350 twips") << 300 << 350 << false;
    QTest::newRow("1000 rows, one inch") << 1000 << 1440 << false;
  }
  void printsEveryLineUnderTheHeaderOfEachPage() {
    QFETCH(int, rows);
    QFETCH(int, margin);
    QFETCH(bool, onePage);
    test::TempDir dir;
    const int printed = printGridToPdf(pdfPath(dir), numberedLines(rows), margin, margin);
    QVERIFY(QFile::exists(pdfPath(dir)));
    const QStringList texts = pagesOf(pdfPath(dir));
    const int pages = int(texts.size());
    QCOMPARE(printed, pages);
    QCOMPARE(pages == 1, onePage);
    // Every line once, whole and in order, the hidden column left out; only the last page is short.
    const QRegularExpression line(R"(riga\d+\s+\S+\s+\S+)");
    int expected = 1, perPage = 0;
    for (int page = 1; page <= pages; ++page) {
      const QString& text = texts[page - 1];
      QVERIFY2(QRegularExpression(R"(^\s*Riga\s+Estrazione\s+Esito)").match(text).hasMatch(),
               qPrintable(QString("page %1").arg(page)));
      QVERIFY(text.contains(QString("Pagina %1 di %2").arg(page).arg(pages)));
      QVERIFY(!text.contains("Nascosta") && !text.contains("segreto"));
      int onPage = 0;
      for (auto it = line.globalMatch(text); it.hasNext(); ++onPage, ++expected)
        QCOMPARE(it.next().captured().simplified(),
                 QString::asprintf("riga%04d %d %s", expected, expected * 7,
                                   expected % 2 ? "vinto" : "perso"));
      if (page == 1) perPage = onPage;
      if (page < pages) QCOMPARE(onPage, perPage);
    }
    QCOMPARE(expected, rows + 1);
    if (!onePage) QCOMPARE(pages, (rows + perPage - 1) / perPage);
  }

  void marginsAreTwipsAndAWideGridIsScaledToThePage() {
    test::TempDir dir;
    QStringList header;
    for (int c = 1; c <= 40; ++c) header << QString("Colonna%1").arg(c);
    printGridToPdf(pdfPath(dir), Grid::withHeader(header.join('|').toStdString()), 1440, 720);
    QCOMPARE(pagesOf(pdfPath(dir)).size(), 1);
    // 20 twips to the point: one inch on the sides, half an inch above; the text sits a few
    // points inside its cell. A4 is 595 points wide.
    const QRectF first = wordBox(pdfPath(dir), "Colonna1"),
                 last = wordBox(pdfPath(dir), "Colonna40");
    QVERIFY2(first.left() > 72 && first.left() < 80, qPrintable(QString::number(first.left())));
    QVERIFY2(first.top() > 36 && first.top() < 44, qPrintable(QString::number(first.top())));
    QVERIFY2(last.right() > 400 && last.right() < 595 - 72,
             qPrintable(QString::number(last.right())));
  }

  void coloursArePrinted() {
    test::TempDir dir;
    Grid coloured = numberedLines(5);
    coloured.setBackColor({2, 2, 4, 3}, kGreen);
    coloured.setFlood(5, 2, Arancio, 100);
    printGridToPdf(pdfPath(dir), coloured, 350, 350);
    QVERIFY(pixelsOf(pdfPath(dir), dir, QColor(0, 255, 0)) > 50);
    QVERIFY(pixelsOf(pdfPath(dir), dir, QColor(255, 128, 0)) > 10);
  }

  void printDialogChoosesTheFile_data() {
    QTest::addColumn<QString>("answer");  // the file chosen; null cancels the dialog
    QTest::addColumn<bool>("printed");
    QTest::addColumn<int>("messages");
    QTest::newRow("chosen") << QString("stampa.pdf") << true << 0;
    QTest::newRow("cancelled") << QString() << false << 0;
    QTest::newRow("unwritable") << QString("/cartella-che-non-esiste/stampa.pdf") << false << 1;
  }
  void printDialogChoosesTheFile() {
    QFETCH(QString, answer);
    QFETCH(bool, printed);
    QFETCH(int, messages);
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    if (answer.isNull())
      dialogs.answerCancel();
    else
      dialogs.answerText(answer.startsWith('/') ? answer : pdfPath(dir));
    QCOMPARE(printGrid(dialogs, numberedLines(3), 450, 450), printed);
    QCOMPARE(dialogs.shown().at(0).kind, QString("print"));
    QCOMPARE(dialogs.messages().size(), messages);
    QCOMPARE(QFile::exists(pdfPath(dir)), printed);
  }

  // "Salva come CSV..." of a grid's context menu: the texts as shown, ";" between cells.
  void contextMenuSavesTheGridAsCsv_data() {
    QTest::addColumn<QString>("answer");  // the file chosen; null cancels the dialog
    QTest::addColumn<QString>("saved");   // the file written; null when none
    QTest::addColumn<QByteArray>("csv");  // after the byte order mark
    QTest::addColumn<int>("messages");
    const QByteArray lines =
        "N\xC2\xB0   ;Valore\r\n1;07\r\n2;\"a;b\"\r\n3;\"detto \"\"s\xC3\xAC\"\"\"\r\n";
    QTest::newRow("chosen") << "tabella.csv"
                            << "tabella.csv" << lines << 0;
    QTest::newRow("no extension") << "tabella"
                                  << "tabella.csv" << lines << 0;
    QTest::newRow("cancelled") << QString() << QString() << QByteArray() << 0;
    QTest::newRow("unwritable") << "/cartella-che-non-esiste/t.csv" << QString() << QByteArray()
                                << 1;
  }
  void contextMenuSavesTheGridAsCsv() {
    QFETCH(QString, answer);
    QFETCH(QString, saved);
    QFETCH(QByteArray, csv);
    QFETCH(int, messages);
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    const QString folder = QString::fromStdString(dir.path()) + "/";
    if (answer.isNull())
      dialogs.answerCancel();
    else
      dialogs.answerText(answer.startsWith('/') ? answer : folder + answer);
    GridView view(dialogs);
    Grid grid = Grid::withHeader("N°   |Nascosta|Valore");
    grid.addRow({"1", "x", "07"});
    grid.addRow({"2", "y", "a;b"});
    grid.addRow({"3", "z", "detto \"sì\""});
    grid.setColumnHidden(1, true);
    view.setGrid(grid);
    view.findChild<QAction*>("SalvaCsv")->trigger();
    QCOMPARE(dialogs.shown().at(0).kind, QString("save"));
    QCOMPARE(dialogs.messages().size(), messages);
    QCOMPARE(QDir(folder).entryList(QDir::Files),
             saved.isNull() ? QStringList() : QStringList{saved});
    if (!saved.isNull()) {
      QFile file(folder + saved);
      QVERIFY(file.open(QIODevice::ReadOnly));
      QCOMPARE(file.readAll(), "\xEF\xBB\xBF" + csv);
    }
  }
};

QTEST_MAIN(GridOutputTest)
#include "grid_output_test.moc"
