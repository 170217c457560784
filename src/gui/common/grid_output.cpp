#include "gui/common/grid_output.h"

#include <QClipboard>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/error.h"
#include "core/pending_file.h"
#include "gui/common/dialogs.h"
#include "gui/common/grid_model.h"

namespace quintello {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr double kTwipsPerInch = 1440.0;
constexpr double kFontPoints = 9.0;
constexpr double kFooterPoints = 7.5;
const QColor kFixedBack(232, 232, 232);
const QColor kLines(140, 140, 140);

// Everything a page needs, measured once in printer units at scale 1.
class PrintLayout {
 public:
  PrintLayout(const Grid& grid, const QPrinter& printer, const QFont& font, const QFont& bold)
      : grid_(grid) {
    const QFontMetricsF plain(font, &printer), strong(bold, &printer);
    pad_ = plain.height() * 0.3;
    rowHeight_ = plain.height() + pad_;
    const double resolution = printer.resolution();
    for (int c = 0; c < grid.cols(); ++c) {
      if (grid.columnHidden(c)) continue;
      double width = 0;
      if (grid.columnWidth(c) > 0) {
        width = grid.columnWidth(c) / kTwipsPerInch * resolution;
      } else {
        width = plain.horizontalAdvance("00");
        for (int r = 0; r < grid.rows(); ++r) {
          const QString text = QString::fromStdString(grid.text(r, c));
          if (text.isEmpty()) continue;
          const bool isBold = r < grid.fixedRows() || grid.bold(r, c);
          width = std::max(width, (isBold ? strong : plain).horizontalAdvance(text));
        }
        // A little slack, so that a text measured to the pixel is never cut short.
        width += 2 * pad_ + plain.averageCharWidth();
      }
      columns_.push_back(c);
      widths_.push_back(width);
    }
  }

  const std::vector<int>& columns() const { return columns_; }
  double width(size_t i) const { return widths_[i]; }
  double totalWidth() const {
    double total = 0;
    for (double w : widths_) total += w;
    return total;
  }
  double rowHeight() const { return rowHeight_; }
  double pad() const { return pad_; }

  // True when the cell continues a merged block started in the row above.
  bool continuesMerge(int row, int col) const {
    return grid_.columnMerged(col) && row > grid_.fixedRows() && row < grid_.rows() &&
           grid_.text(row, col) == grid_.text(row - 1, col);
  }

 private:
  const Grid& grid_;
  std::vector<int> columns_;
  std::vector<double> widths_;
  double rowHeight_ = 0;
  double pad_ = 0;
};

class PagePainter {
 public:
  PagePainter(QPainter& painter, const Grid& grid, const PrintLayout& layout, QFont font,
              QFont bold, double lineWidth)
      : painter_(painter),
        grid_(grid),
        layout_(layout),
        font_(std::move(font)),
        bold_(std::move(bold)),
        lineWidth_(lineWidth) {}

  // One printed row at height y; the first data row of a page always shows its merged texts.
  void row(int r, double y, bool firstOnPage, bool lastOnPage) {
    const double h = layout_.rowHeight();
    double x = 0;
    const auto& columns = layout_.columns();
    for (size_t i = 0; i < columns.size(); ++i) {
      const int c = columns[i];
      const double w = layout_.width(i);
      const QRectF cell(x, y, w, h);
      const bool fixed = r < grid_.fixedRows() || c < grid_.fixedCols();
      if (grid_.hasBackColor(r, c))
        painter_.fillRect(cell, toQColor(grid_.backColor(r, c)));
      else if (fixed)
        painter_.fillRect(cell, kFixedBack);
      if (const auto& flood = grid_.flood(r, c)) {
        QRectF bar = cell;
        bar.setWidth(w * flood->percent / 100.0);
        painter_.fillRect(bar, toQColor(flood->color));
      }
      const bool continued = layout_.continuesMerge(r, c);
      if (!continued || firstOnPage) {
        painter_.setFont(r < grid_.fixedRows() || grid_.bold(r, c) ? bold_ : font_);
        painter_.setPen(grid_.hasForeColor(r, c) ? toQColor(grid_.foreColor(r, c))
                                                 : QColor(Qt::black));
        const QRectF textBox = cell.adjusted(layout_.pad(), 0, -layout_.pad(), 0);
        const QString text = painter_.fontMetrics().elidedText(
            QString::fromStdString(grid_.text(r, c)), Qt::ElideRight,
            static_cast<int>(std::floor(textBox.width())));
        painter_.drawText(textBox, static_cast<int>(toQtAlignment(grid_.alignment(c))), text);
      }
      painter_.setPen(QPen(kLines, lineWidth_));
      if (!continued || firstOnPage) painter_.drawLine(cell.topLeft(), cell.topRight());
      if (lastOnPage || !layout_.continuesMerge(r + 1, c))
        painter_.drawLine(cell.bottomLeft(), cell.bottomRight());
      painter_.drawLine(cell.topLeft(), cell.bottomLeft());
      painter_.drawLine(cell.topRight(), cell.bottomRight());
      x += w;
    }
  }

 private:
  QPainter& painter_;
  const Grid& grid_;
  const PrintLayout& layout_;
  QFont font_;
  QFont bold_;
  double lineWidth_;
};

}  // namespace

void copyGridToClipboard(const Grid& grid) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(QString::fromStdString(grid.clipText()));
}

bool saveGridAsCsv(Dialogs& dialogs, const Grid& grid) {
  auto chosen = dialogs.saveFile("Salva come CSV", QString(), "File CSV (*.csv)");
  if (!chosen || chosen->isEmpty()) return false;
  if (QFileInfo(*chosen).suffix().isEmpty()) *chosen += ".csv";
  try {
    writeWholeFile(chosen->toStdString(), "\xEF\xBB\xBF" + grid.csvText());
  } catch (const Error& error) {
    dialogs.message(QString::fromUtf8(error.what()), "Salva come CSV", Dialogs::Icon::Critical);
    return false;
  }
  return true;
}

int printGridTo(QPrinter& printer, const Grid& grid, int marginLeftRightTwips,
                int marginTopBottomTwips) {
  const double side = std::max(marginLeftRightTwips, 0) / kTwipsPerPoint;
  const double topBottom = std::max(marginTopBottomTwips, 0) / kTwipsPerPoint;
  printer.setFullPage(false);
  printer.setPageMargins(QMarginsF(side, topBottom, side, topBottom), QPageLayout::Point);

  QPainter painter;
  if (!painter.begin(&printer)) return 0;
  QFont font = QGuiApplication::font();
  font.setPointSizeF(kFontPoints);
  QFont bold = font;
  bold.setBold(true);
  QFont footer = font;
  footer.setPointSizeF(kFooterPoints);

  const PrintLayout layout(grid, printer, font, bold);
  const QRectF area = printer.pageRect(QPrinter::DevicePixel);
  const double total = layout.totalWidth();
  const double scale = total > area.width() && total > 0 ? area.width() / total : 1.0;
  const double footerHeight = QFontMetricsF(footer, &printer).height() * 1.5;
  const double rowHeight = layout.rowHeight();
  const int headerRows = std::min(grid.fixedRows(), grid.rows());
  const double usable = (area.height() - footerHeight) / scale - headerRows * rowHeight;
  const int rowsPerPage = std::max(1, static_cast<int>(std::floor(usable / rowHeight)));
  const int dataRows = grid.rows() - headerRows;
  const int pages = std::max(1, (dataRows + rowsPerPage - 1) / rowsPerPage);
  // About a third of a point: thin, but visible on paper.
  const double lineWidth = printer.resolution() / 200.0 / scale;

  PagePainter page(painter, grid, layout, font, bold, lineWidth);
  for (int p = 0; p < pages; ++p) {
    if (p > 0) printer.newPage();
    painter.resetTransform();
    painter.scale(scale, scale);
    double y = 0;
    for (int r = 0; r < headerRows; ++r, y += rowHeight) page.row(r, y, true, true);
    const int first = headerRows + p * rowsPerPage;
    const int last = std::min(first + rowsPerPage, grid.rows()) - 1;
    for (int r = first; r <= last; ++r, y += rowHeight) page.row(r, y, r == first, r == last);

    painter.resetTransform();
    painter.setFont(footer);
    painter.setPen(Qt::black);
    const QRectF foot(0, area.height() - footerHeight, area.width(), footerHeight);
    painter.drawText(foot, Qt::AlignRight | Qt::AlignBottom,
                     QString("Pagina %1 di %2").arg(p + 1).arg(pages));
  }
  painter.end();
  return pages;
}

int printGridToPdf(const QString& path, const Grid& grid, int marginLeftRightTwips,
                   int marginTopBottomTwips) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageSize(QPageSize(QPageSize::A4));
  return printGridTo(printer, grid, marginLeftRightTwips, marginTopBottomTwips);
}

bool printGrid(Dialogs& dialogs, const Grid& grid, int marginLeftRightTwips,
               int marginTopBottomTwips) {
  QPrinter printer(QPrinter::HighResolution);
  const double side = marginLeftRightTwips / kTwipsPerPoint;
  const double topBottom = marginTopBottomTwips / kTwipsPerPoint;
  printer.setPageMargins(QMarginsF(side, topBottom, side, topBottom), QPageLayout::Point);
  if (!dialogs.choosePrinter(printer)) return false;
  if (printGridTo(printer, grid, marginLeftRightTwips, marginTopBottomTwips) > 0) return true;
  dialogs.message("Impossibile stampare: la stampante scelta non è disponibile.", "Stampa grid",
                  Dialogs::Icon::Warning);
  return false;
}

}  // namespace quintello
