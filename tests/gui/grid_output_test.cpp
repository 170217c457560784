// "Copia tabella" and "Stampa grid": the grid on the clipboard, and the grid printed to PDF,
// read back with poppler's tools.
#include "gui/shell/grid_output.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

#include "core/color.h"
#include "core/grid.h"
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

int pageCount(const QString& pdf) {
  const auto match = QRegularExpression(R"(Pages:\s+(\d+))").match(run("pdfinfo", {pdf}));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString pageText(const QString& pdf, int page) {
  return run("pdftotext",
             {"-f", QString::number(page), "-l", QString::number(page), "-layout", pdf, "-"});
}

// Where a word lies on page 1, in points from the page's top left corner.
QRectF wordBox(const QString& pdf, const QString& word) {
  const QString html = run("pdftotext", {"-f", "1", "-l", "1", "-bbox", pdf, "-"});
  const QRegularExpression pattern(
      QString(
          R"xx(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">%1</word>)xx")
          .arg(QRegularExpression::escape(word)));
  const auto match = pattern.match(html);
  if (!match.hasMatch()) return {};
  return QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
}

// Page 1 rendered at 50 dots per inch.
QImage pageImage(const QString& pdf, const test::TempDir& dir) {
  const QString base = QString::fromStdString(dir.file("pagina"));
  run("pdftoppm", {"-png", "-r", "50", "-f", "1", "-l", "1", "-singlefile", pdf, base});
  return QImage(base + ".png");
}

int pixelsOf(const QImage& image, QColor color) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == color;
  return count;
}

// A list with a header and `rows` numbered lines: "riga0001" ... in column 0.
Grid numberedLines(int rows) {
  Grid grid = Grid::withHeader("Riga|Estrazione|Esito");
  for (int r = 1; r <= rows; ++r) {
    char name[16];
    std::snprintf(name, sizeof name, "riga%04d", r);
    grid.addRow({name, std::to_string(r * 7), r % 2 ? "vinto" : "perso"});
  }
  return grid;
}

QString pdfPath(const test::TempDir& dir, const char* name = "stampa.pdf") {
  return QString::fromStdString(dir.file(name));
}

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
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText("testo di prima");
    copyGridToClipboard(grid);
    QCOMPARE(clipboard->text(), expected);
    QVERIFY(clipboard->mimeData()->hasText());
    QVERIFY(!clipboard->mimeData()->hasHtml());
  }

  void printsASmallGridOnOnePage() {
    test::TempDir dir;
    Grid grid = Grid::withHeader("Somma / Distanza|Elementi|Numeri |Valore");
    grid.addRow({"Somma orizzontale 1", "N1+N2", "12 58", "70"});
    grid.addRow({"Distanza diagonale 1", "N1 N4", "12 81", "21"});
    QCOMPARE(printGridToPdf(pdfPath(dir), grid, 350, 350), 1);
    QVERIFY(QFile::exists(pdfPath(dir)));
    QCOMPARE(pageCount(pdfPath(dir)), 1);
    const QString text = pageText(pdfPath(dir), 1);
    QVERIFY(QRegularExpression(R"(Somma / Distanza\s+Elementi\s+Numeri\s+Valore)")
                .match(text)
                .hasMatch());
    QVERIFY(
        QRegularExpression(R"(Somma orizzontale 1\s+N1\+N2\s+12 58\s+70)").match(text).hasMatch());
    QVERIFY(text.contains("Pagina 1 di 1"));
  }

  void headerOnlyGridPrintsItsHeader() {
    test::TempDir dir;
    QCOMPARE(printGridToPdf(pdfPath(dir), Grid::withHeader("Rif  |N° Estr|QN"), 350, 350), 1);
    QCOMPARE(pageCount(pdfPath(dir)), 1);
    QVERIFY(
        QRegularExpression(R"(Rif\s+N° Estr\s+QN)").match(pageText(pdfPath(dir), 1)).hasMatch());
  }

  void longGridRunsOverPagesRepeatingTheHeader_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("margin");
    QTest::newRow("300 rows, 350 twips") << 300 << 350;
    QTest::newRow("300 rows, one inch") << 300 << 1440;
    QTest::newRow("1000 rows, 450 twips") << 1000 << 450;
  }
  void longGridRunsOverPagesRepeatingTheHeader() {
    QFETCH(int, rows);
    QFETCH(int, margin);
    test::TempDir dir;
    const int printed = printGridToPdf(pdfPath(dir), numberedLines(rows), margin, margin);
    const int pages = pageCount(pdfPath(dir));
    QCOMPARE(printed, pages);
    QVERIFY(pages > 1);
    // Every line once, in order, each page under its own header; only the last page is short.
    const QRegularExpression line(R"(riga(\d{4}))");
    int expected = 1, perPage = 0;
    for (int page = 1; page <= pages; ++page) {
      const QString text = pageText(pdfPath(dir), page);
      QVERIFY2(QRegularExpression(R"(^\s*Riga\s+Estrazione\s+Esito)").match(text).hasMatch(),
               qPrintable(QString("page %1").arg(page)));
      QVERIFY(text.contains(QString("Pagina %1 di %2").arg(page).arg(pages)));
      int onPage = 0;
      for (auto it = line.globalMatch(text); it.hasNext(); ++onPage)
        QCOMPARE(it.next().captured(1).toInt(), expected++);
      if (page == 1) perPage = onPage;
      if (page < pages) QCOMPARE(onPage, perPage);
      QVERIFY(onPage > 0);
    }
    QCOMPARE(expected, rows + 1);
    QCOMPARE(pages, (rows + perPage - 1) / perPage);
  }

  void marginsAreTwips_data() {
    QTest::addColumn<int>("leftRight");
    QTest::addColumn<int>("topBottom");
    QTest::newRow("350 twips") << 350 << 350;
    QTest::newRow("450 twips") << 450 << 450;
    QTest::newRow("one inch and half an inch") << 1440 << 720;
  }
  void marginsAreTwips() {
    QFETCH(int, leftRight);
    QFETCH(int, topBottom);
    test::TempDir dir;
    Grid grid = Grid::withHeader("Intestazione|Ultima");
    grid.addRow({"a", "b"});
    printGridToPdf(pdfPath(dir), grid, leftRight, topBottom);
    const QRectF first = wordBox(pdfPath(dir), "Intestazione");
    QVERIFY(!first.isNull());
    // 20 twips to the point; the text sits a few points inside its cell.
    QVERIFY2(first.left() > leftRight / 20.0 && first.left() < leftRight / 20.0 + 8,
             qPrintable(QString::number(first.left())));
    QVERIFY2(first.top() > topBottom / 20.0 && first.top() < topBottom / 20.0 + 8,
             qPrintable(QString::number(first.top())));
  }

  void wideGridIsScaledToThePageWidth() {
    test::TempDir dir;
    std::string header;
    for (int c = 1; c <= 40; ++c)
      header += (c > 1 ? "|" : "") + std::string("Colonna") + std::to_string(c);
    Grid grid = Grid::withHeader(header);
    grid.addRow({"x"});
    printGridToPdf(pdfPath(dir), grid, 350, 350);
    QCOMPARE(pageCount(pdfPath(dir)), 1);
    const QRectF last = wordBox(pdfPath(dir), "Colonna40");
    QVERIFY(!last.isNull());
    const double a4Width = 595.0;  // points
    QVERIFY2(last.right() < a4Width - 350 / 20.0, qPrintable(QString::number(last.right())));
  }

  void hiddenColumnsAreLeftOut() {
    test::TempDir dir;
    Grid grid = Grid::withHeader("Visibile|Nascosta|Altra");
    grid.addRow({"uno", "segreto", "due"});
    grid.setColumnHidden(1, true);
    printGridToPdf(pdfPath(dir), grid, 350, 350);
    const QString text = pageText(pdfPath(dir), 1);
    QVERIFY(text.contains("uno"));
    QVERIFY(text.contains("due"));
    QVERIFY(!text.contains("segreto"));
    QVERIFY(!text.contains("Nascosta"));
  }

  void coloursArePrinted() {
    test::TempDir dir;
    Grid plain = numberedLines(5);
    printGridToPdf(pdfPath(dir, "bianca.pdf"), plain, 350, 350);
    QCOMPARE(pixelsOf(pageImage(pdfPath(dir, "bianca.pdf"), dir), QColor(0, 255, 0)), 0);

    Grid coloured = numberedLines(5);
    coloured.setBackColor({2, 1, 4, 2}, kGreen);
    coloured.setFlood(5, 2, Arancio, 100);
    printGridToPdf(pdfPath(dir, "colori.pdf"), coloured, 350, 350);
    const QImage page = pageImage(pdfPath(dir, "colori.pdf"), dir);
    QVERIFY(!page.isNull());
    QVERIFY(pixelsOf(page, QColor(0, 255, 0)) > 50);
    QVERIFY(pixelsOf(page, QColor(255, 128, 0)) > 10);
  }

  void printDialogChoosesTheFile() {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    dialogs.answerText(pdfPath(dir));
    QVERIFY(printGrid(dialogs, numberedLines(3), 450, 450));
    QCOMPARE(dialogs.shown().size(), size_t(1));
    QCOMPARE(dialogs.shown()[0].kind, QString("print"));
    QCOMPARE(pageCount(pdfPath(dir)), 1);
    QVERIFY(pageText(pdfPath(dir), 1).contains("riga0003"));
  }

  void cancelledPrintDialogPrintsNothing() {
    test::TempDir dir;
    test::ScriptedDialogs dialogs;
    dialogs.answerCancel();
    QVERIFY(!printGrid(dialogs, numberedLines(3), 450, 450));
    QCOMPARE(dialogs.shown().size(), size_t(1));
    QVERIFY(dialogs.messages().isEmpty());
    QVERIFY(!QFile::exists(pdfPath(dir)));
  }

  void unwritableFileIsReported() {
    test::ScriptedDialogs dialogs;
    dialogs.answerText("/cartella-che-non-esiste/stampa.pdf");
    QVERIFY(!printGrid(dialogs, numberedLines(3), 450, 450));
    QCOMPARE(dialogs.messages().size(), qsizetype(1));
    QCOMPARE(dialogs.shown()[1].title, QString("Stampa grid"));
  }
};

QTEST_MAIN(GridOutputTest)
#include "grid_output_test.moc"
