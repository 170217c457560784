#include "gui/support/grid_differences.h"

#include <QFont>
#include <cmath>

#include "gui/common/grid_model.h"
#include "gui/common/grid_view.h"

namespace quintello::test {

// The contrast ratio of two colours, 1 to 21; text reads from about 3.
static double contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    double sum = 0;
    for (const auto& [v, weight] :
         {std::pair{c.redF(), 0.2126}, {c.greenF(), 0.7152}, {c.blueF(), 0.0722}})
      sum += weight * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    return sum + 0.05;
  };
  return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

QString differences(const GridView* view, const Grid& expected) {
  const QAbstractItemModel* model = view->model();
  const int fixed = expected.fixedRows();
  const auto where = [&](int r, int c) {
    return QString("%1 (%2, %3): ").arg(view->objectName()).arg(r).arg(c);
  };
  if (model->rowCount() != expected.rows() - fixed || model->columnCount() != expected.cols())
    return where(model->rowCount(), model->columnCount()) + "size";
  for (int c = 0; c < expected.cols(); ++c) {
    const QString header = model->headerData(c, Qt::Horizontal).toString();
    if (view->isColumnHidden(c) != expected.columnHidden(c)) return where(0, c) + "hidden";
    if (fixed > 0 && header.toStdString() != expected.text(0, c)) return where(0, c) + header;
  }
  for (int r = fixed; r < expected.rows(); ++r)
    for (int c = 0; c < expected.cols(); ++c) {
      const QModelIndex index = model->index(r - fixed, c);
      const QVariant back = index.data(Qt::BackgroundRole);
      const QColor fore = index.data(Qt::ForegroundRole).value<QColor>();
      if (index.data().toString().toStdString() != expected.text(r, c))
        return where(r, c) + index.data().toString();
      if (expected.hasBackColor(r, c) ? back != toQColor(expected.backColor(r, c))
                                      : back.isValid() && c >= expected.fixedCols())
        return where(r, c) + "back";
      // A coloured cell reads whatever the theme: a flood bar is drawn over white.
      const bool readable =
          fore.isValid() && contrast(back.isValid() ? back.value<QColor>() : Qt::white, fore) >= 3;
      if (expected.hasForeColor(r, c) ? fore != toQColor(expected.foreColor(r, c))
          : expected.hasBackColor(r, c) || expected.flood(r, c) ? !readable
                                                                : fore.isValid())
        return where(r, c) + "fore";
      if (index.data(Qt::FontRole).value<QFont>().bold() != expected.bold(r, c))
        return where(r, c) + "bold";
    }
  return {};
}

}  // namespace quintello::test
