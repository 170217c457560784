#include "gui/support/grid_differences.h"

#include <QAbstractItemModel>
#include <QFont>
#include <cmath>

#include "gui/common/grid_model.h"
#include "gui/common/grid_view.h"

namespace quintello::test {

namespace {

// The contrast ratio of two colours, 1 to 21; text reads from about 3.
double contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto linear = [](double v) {
      return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

QString differences(const GridView* view, const Grid& expected) {
  const QAbstractItemModel* model = view->model();
  const int fixed = expected.fixedRows();
  if (model->rowCount() != expected.rows() - fixed || model->columnCount() != expected.cols())
    return QString::asprintf("%s: %d x %d shown, %d x %d rendered", qPrintable(view->objectName()),
                             model->rowCount(), model->columnCount(), expected.rows() - fixed,
                             expected.cols());
  const auto where = [&](int r, int c) {
    return QString("%1 (%2, %3): ").arg(view->objectName()).arg(r).arg(c);
  };
  for (int c = 0; c < expected.cols(); ++c) {
    if (view->isColumnHidden(c) != expected.columnHidden(c)) return where(0, c) + "hidden";
    if (fixed > 0 &&
        model->headerData(c, Qt::Horizontal).toString().toStdString() != expected.text(0, c))
      return where(0, c) + model->headerData(c, Qt::Horizontal).toString();
  }
  for (int r = fixed; r < expected.rows(); ++r) {
    for (int c = 0; c < expected.cols(); ++c) {
      const QModelIndex index = model->index(r - fixed, c);
      const QString shown = index.data().toString();
      if (shown.toStdString() != expected.text(r, c)) return where(r, c) + shown;
      const QVariant back = index.data(Qt::BackgroundRole);
      if (expected.hasBackColor(r, c) ? back != toQColor(expected.backColor(r, c))
                                      : back.isValid() && c >= expected.fixedCols())
        return where(r, c) + "back " + back.value<QColor>().name();
      // A coloured cell without a text colour of its own gets one that reads on it whatever
      // the theme (a flood bar is drawn over white).
      const QColor fore = index.data(Qt::ForegroundRole).value<QColor>();
      const bool readable =
          fore.isValid() && contrast(back.isValid() ? back.value<QColor>() : Qt::white, fore) >= 3;
      if (expected.hasForeColor(r, c) ? fore != toQColor(expected.foreColor(r, c))
          : expected.hasBackColor(r, c) || expected.flood(r, c) ? !readable
                                                                : fore.isValid())
        return where(r, c) + "fore " + fore.name();
      if (index.data(Qt::FontRole).value<QFont>().bold() != expected.bold(r, c))
        return where(r, c) + "bold";
    }
  }
  return {};
}

}  // namespace quintello::test
