// A grid as the user gets it out of the program: printed to PDF (read back with poppler's
// tools), saved as CSV, copied, and shown in colours that read on any theme.
#include "gui/common/grid_output.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "gui/common/grid_view.h"
#include "gui/support/grid_differences.h"
#include "gui/support/program.h"

using namespace quintello;

namespace {

QString run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

struct Pdf {
  test::TempDir dir;
  QString path = QString::fromStdString(dir.file("stampa.pdf"));

  QStringList pages() {  // pdftotext ends each page with a form feed
    QStringList pages = run("pdftotext", {"-layout", path, "-"}).split('\f');
    pages.removeLast();
    return pages;
  }
  // Where a word lies on page 1, in points from the page's top left corner.
  QRectF wordBox(const QString& word) {
    const auto m = QRegularExpression(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" )re"
                                      R"re(yMax="([\d.]+)">)re" +
                                      word + '<')
                       .match(run("pdftotext", {"-bbox", path, "-"}));
    return QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                  QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
  }
  // How many pixels of page 1, rendered at 50 dots per inch, have the colour.
  int pixels(QColor color) {
    const QString base = QString::fromStdString(dir.file("pagina"));
    run("pdftoppm", {"-png", "-r", "50", "-singlefile", path, base});
    const QImage image(base + ".png");
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == color;
    return count;
  }
};

}  // namespace

class GridOutputTest : public QObject {
  Q_OBJECT

 private slots:
  void printsEveryLineUnderTheHeaderOfEachPage() {
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
      // Every line once, whole and in order, without the hidden column.
      int line = 1;
      for (auto it = QRegularExpression("riga.*").globalMatch(pages.join("")); it.hasNext(); ++line)
        QCOMPARE(it.next().captured().simplified(),
                 QString::asprintf("riga%04d %d %s", line, line * 7, line % 2 ? "vinto" : "perso"));
      QCOMPARE(line, rows + 1);
    }
  }

  void aWideColouredGridFitsThePageInsideItsMargins() {
    QStringList header;
    for (int c = 1; c <= 40; ++c) header << QString("Colonna%1").arg(c);
    Grid grid = Grid::withHeader(header.join('|').toStdString());
    for (int r = 1; r <= 5; ++r) grid.addRow({});
    grid.setBackColor({2, 2, 4, 6}, kGreen);
    grid.setFlood(5, 8, Arancio, 100);
    Pdf pdf;
    printGridToPdf(pdf.path, grid, 1440, 720);
    QCOMPARE(pdf.pages().size(), 1);
    // One inch (72 points) on the sides, half an inch above, the text a few points inside its
    // cell; A4 is 595 points wide.
    const QRectF first = pdf.wordBox("Colonna1"), last = pdf.wordBox("Colonna40");
    QVERIFY2(first.left() > 72 && first.left() < 80, qPrintable(QString::number(first.left())));
    QVERIFY2(first.top() > 36 && first.top() < 44, qPrintable(QString::number(first.top())));
    QVERIFY2(last.right() > 400 && last.right() < 595 - 72,
             qPrintable(QString::number(last.right())));
    QVERIFY(pdf.pixels(QColor(0, 255, 0)) > 20);
    QVERIFY(pdf.pixels(QColor(255, 128, 0)) > 5);
  }

  // The context menu's commands; its grid's coloured cells read on any theme.
  void contextMenuWritesTheChosenFile() {
    struct Case {
      const char* action;
      QString answer;  // the file chosen; null cancels the dialog
      QString written;
      int messages;
    };
    const QString nowhere = "/cartella-che-non-esiste/t";
    for (const auto& [action, answer, written, messages] :
         {Case{"Stampa", "t.pdf", "t.pdf", 0}, Case{"Stampa", nowhere + ".pdf", {}, 1},
          Case{"SalvaCsv", "t", "t.csv", 0}, Case{"SalvaCsv", {}, {}, 0},
          Case{"SalvaCsv", nowhere + ".csv", {}, 1}}) {
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
      const Color colours[] = {kBlack, kRed, kGreen, kBlue, kYellow, Arancio};
      for (int i = 0; i < 6; ++i) grid.setBackColor(1 + i / 2, 2 * (i % 2), colours[i]);
      view.setGrid(grid);
      QCOMPARE(test::differences(&view, grid), QString());
      view.findChild<QAction*>("Copia")->trigger();
      QCOMPARE(QApplication::clipboard()->text().toStdString(), grid.clipText());
      view.findChild<QAction*>(action)->trigger();
      QCOMPARE(dialogs.messages().size(), messages);
      QCOMPARE(QDir(folder).entryList(QDir::Files),
               written.isNull() ? QStringList() : QStringList{written});
      // The texts as shown, ";" between cells, after a byte order mark.
      if (written == "t.csv")
        QCOMPARE(test::readFile((folder + written).toStdString()),
                 "\xEF\xBB\xBFN\xC2\xB0   ;Valore\r\n1;07\r\n2;\"a;b\"\r\n"
                 "3;\"detto \"\"s\xC3\xAC\"\"\"\r\n");
    }
  }
};

QTEST_MAIN(GridOutputTest)
#include "grid_output_test.moc"
