// A grid printed to PDF (read back with poppler's tools), saved as CSV, copied and shown.
#include "gui/common/grid_output.h"

#include "gui/support/program.h"

using namespace quintello;

namespace {

struct Pdf {
  test::TempDir dir;
  QString path = QString::fromStdString(dir.file("stampa.pdf"));

  QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
  }
  QStringList pages() {  // pdftotext ends each page with a form feed
    QStringList pages = run("pdftotext", {"-layout", path, "-"}).split('\f');
    pages.removeLast();
    return pages;
  }
  QImage firstPage() {  // at 72 dots per inch: a pixel is a point
    run("pdftoppm", {"-png", "-r", "72", "-singlefile", path, path});
    return QImage(path + ".png");
  }
};

}  // namespace

class GridOutputTest : public QObject {
  Q_OBJECT

 private slots:
  void printsSavesAndCopiesFromTheContextMenu() {
    for (const auto& [rows, margin] : {std::pair{0, 350}, {3, 350}, {1000, 1440}}) {
      Grid grid = Grid::withHeader("Riga|Nascosta|Estrazione|Esito");
      for (int r = 1; r <= rows; ++r)
        grid.addRow({QString::asprintf("riga%04d", r).toStdString(), "segreto",
                     std::to_string(r * 7), r % 2 ? "vinto" : "perso"});
      grid.setColumnHidden(1, true);
      Pdf pdf;
      const int printed = printGridToPdf(pdf.path, grid, margin, margin);
      const QStringList pages = pdf.pages();
      QCOMPARE(printed, pages.size());
      QCOMPARE(pages.size() == 1, rows < 100);
      for (int p = 0; p < pages.size(); ++p) {
        QVERIFY(QRegularExpression(R"(^\s*Riga\s+Estrazione\s+Esito)").match(pages[p]).hasMatch());
        QVERIFY(pages[p].contains(QString("Pagina %1 di %2").arg(p + 1).arg(pages.size())));
      }
      int line = 1;
      for (auto it = QRegularExpression("riga.*").globalMatch(pages.join("")); it.hasNext(); ++line)
        QCOMPARE(it.next().captured().simplified(),
                 QString::asprintf("riga%04d %d %s", line, line * 7, line % 2 ? "vinto" : "perso"));
      QCOMPARE(line, rows + 1);
    }
    Grid grid = Grid::withHeader(QString("Colonna|").repeated(40).chopped(1).toStdString());
    for (int r = 1; r <= 5; ++r) grid.addRow({});
    grid.setBackColor({2, 2, 4, 6}, kGreen);
    grid.setFlood(5, 8, Arancio, 100);
    Pdf pdf;
    printGridToPdf(pdf.path, grid, 1440, 720);
    QCOMPARE(pdf.pages().size(), 1);
    const QImage page = pdf.firstPage();
    QRect inked;
    int green = 0, orange = 0;
    for (int y = 0; y < page.height(); ++y)
      for (int x = 0; x < page.width(); ++x) {
        const QColor colour = page.pixelColor(x, y);
        green += colour == QColor(0, 255, 0);
        orange += colour == QColor(255, 128, 0);
        if (colour != Qt::white) inked |= QRect(x, y, 1, 1);
      }
    // One inch on the sides, half an inch above, the grid scaled to the width of A4 (595).
    QVERIFY2(inked.left() >= 71 && inked.left() <= 74 && inked.top() >= 35 && inked.top() <= 38 &&
                 inked.right() >= 595 - 76 && inked.right() <= 595 - 71,
             qPrintable(QString("%1 %2 %3").arg(inked.left()).arg(inked.top()).arg(inked.right())));
    QVERIFY(green > 20 && orange > 5);
    // The context menu's commands; its grid's coloured cells read on any theme.
    using Case = std::tuple<const char*, QString, QString, int>;  // a null answer cancels
    const QString nowhere = "/cartella-che-non-esiste/t";
    for (const auto& [action, answer, written, messages] :
         {Case{"Stampa", "t.pdf", "t.pdf", 0}, Case{"Stampa", nowhere + ".pdf", {}, 1},
          Case{"SalvaCsv", "t", "t.csv", 0}, Case{"SalvaCsv", {}, {}, 0},
          Case{"SalvaCsv", nowhere + ".csv", {}, 1}}) {
      test::TempDir dir;
      test::ScriptedDialogs dialogs;
      const QString folder = QString::fromStdString(dir.path()) + "/";
      answer.isNull() ? dialogs.answerCancel()
                      : dialogs.answerText(answer.startsWith('/') ? answer : folder + answer);
      GridView view(dialogs);
      Grid table = Grid::withHeader("N°   |Nascosta|Valore");
      table.addRow({"1", "x", "07"});
      table.addRow({"2", "y", "a;b"});
      table.addRow({"3", "z", "detto \"sì\""});
      table.setColumnHidden(1, true);
      const Color colours[] = {kBlack, kRed, kGreen, kBlue, kYellow, Arancio};
      for (int i = 0; i < 6; ++i) table.setBackColor(1 + i / 2, 2 * (i % 2), colours[i]);
      view.setGrid(table);
      QCOMPARE(test::differences(&view, table), QString());
      view.findChild<QAction*>("Copia")->trigger();
      QCOMPARE(QApplication::clipboard()->text().toStdString(), table.clipText());
      view.findChild<QAction*>(action)->trigger();
      QCOMPARE(dialogs.messages().size(), messages);
      QCOMPARE(QDir(folder).entryList(QDir::Files),
               written.isNull() ? QStringList() : QStringList{written});
      if (written == "t.csv")
        QCOMPARE(test::readFile((folder + written).toStdString()),
                 "\xEF\xBB\xBFN\xC2\xB0   ;Valore\r\n1;07\r\n2;\"a;b\"\r\n"
                 "3;\"detto \"\"s\xC3\xAC\"\"\"\r\n");
    }
  }
};

QTEST_MAIN(GridOutputTest)
#include "grid_output_test.moc"
