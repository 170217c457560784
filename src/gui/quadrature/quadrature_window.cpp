#include "gui/quadrature/quadrature_window.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/color.h"
#include "core/text_number.h"
#include "gui/common/app_context.h"
#include "gui/common/grid_view.h"
#include "gui/common/icons.h"
#include "gui/common/single_window.h"

namespace quintello {

namespace {

const QColor kWhiteQ(255, 255, 255);
const QColor kBlackQ(0, 0, 0);
const QColor kFocusYellow(255, 255, 0);
const QColor kPairCyan(0, 255, 255);
const QColor kPairRed(255, 0, 0);
const QColor kTotalBlue(0, 0, 255);
const QColor kSums = toQColor(GialloMedio);      // RGB(255,255,128)
const QColor kDistances = toQColor(VerdeMedio);  // RGB(128,255,128)

constexpr QSize kBoxSize(52, 32);
constexpr QSize kLabelSize(40, 24);
constexpr int kMargin = 70;  // room around the square for the corner boxes and captions

QFont verdana(int points, bool bold) {
  QFont font("Verdana");
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(points);
  font.setBold(bold);
  return font;
}

void setBack(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, color);
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
}

void setFore(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::Text, color);
  widget->setPalette(palette);
}

QLabel* colouredLabel(QWidget* parent, const QString& name, const QString& text,
                      const QColor& back) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignCenter);
  label->setFont(verdana(10, true));
  label->setAutoFillBackground(true);
  label->setFrameShape(QFrame::Box);
  setBack(label, back);
  setFore(label, kBlackQ);
  return label;
}

// The square: its edges and diagonals drawn between the corner boxes, every label placed on
// the line it belongs to. Placement follows the window's size.
class SquareCanvas : public QWidget {
 public:
  SquareCanvas(QWidget* parent) : QWidget(parent) { setMinimumSize(360, 360); }

  std::array<QLineEdit*, 4> boxes{};
  std::array<QLabel*, 4> captions{};
  std::array<QLabel*, kQuadratureMeasures> labels{};
  QLabel* total = nullptr;
  QListWidget* list = nullptr;

 protected:
  void resizeEvent(QResizeEvent*) override { place(); }

  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 90), 2));
    for (const auto& measure : kQuadratureTable)
      painter.drawLine(corner(measure.first), corner(measure.second));
  }

 private:
  int side() const { return std::max(std::min(width(), height()) - 2 * kMargin, 160); }
  QPoint origin() const { return {(width() - side()) / 2, (height() - side()) / 2}; }
  QPoint corner(int i) const { return origin() + QPoint((i % 2) * side(), (i / 2) * side()); }

  static void centre(QWidget* widget, QPoint at, QSize size) {
    widget->setGeometry(at.x() - size.width() / 2, at.y() - size.height() / 2, size.width(),
                        size.height());
  }

  void place() {
    const int s = side();
    const QPoint o = origin();
    const int cx = o.x() + s / 2, cy = o.y() + s / 2;
    for (int i = 0; i < 4; ++i) {
      centre(boxes[i], corner(i), kBoxSize);
      const int dx = (i % 2 == 0 ? -1 : 1) * (kBoxSize.width() / 2 + 18);
      centre(captions[i], corner(i) + QPoint(dx, 0), QSize(30, kBoxSize.height()));
    }
    const int gap = kLabelSize.width() / 2 + 3;
    const int vgap = kLabelSize.height() / 2 + 3;
    const QPoint at[kQuadratureMeasures] = {
        {cx - gap, o.y()},
        {cx - gap, o.y() + s},  // sums, horizontal
        {o.x(), cy - vgap},
        {o.x() + s, cy - vgap},  // sums, vertical
        {o.x() + s / 4, o.y() + s / 4},
        {o.x() + 3 * s / 4, o.y() + s / 4},  // sums, diagonal
        {cx + gap, o.y()},
        {cx + gap, o.y() + s},  // distances, horizontal
        {o.x(), cy + vgap},
        {o.x() + s, cy + vgap},                  // distances, vertical
        {o.x() + 3 * s / 4, o.y() + 3 * s / 4},  // distance N1-N4
        {o.x() + s / 4, o.y() + 3 * s / 4},      // distance N2-N3
    };
    for (int i = 0; i < kQuadratureMeasures; ++i) centre(labels[i], at[i], kLabelSize);
    centre(total, {cx, cy}, kBoxSize);
    const int listHeight = std::max(s * 3 / 5, 120);
    centre(list, {cx, cy}, QSize(76, listHeight));
  }
};

}  // namespace

Quadrature::Quadrature(AppContext& context, QWidget* parent) : QWidget(parent) {
  setObjectName("Quadrature");
  setWindowTitle("Quadrature");
  makeToolWindow(this);
  installHelp(this, context.help(), kHelpFile);

  fg1_ = new GridView(context.dialogs(), this);
  fg1_->setObjectName("Fg1");
  fg1_->setGrid(quadratureGrid());
  fg1_->setSelectionMode(QAbstractItemView::NoSelection);
  fg1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fg1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The whole grid in view: wide enough for "Valore" with its values, tall enough for 12 rows.
  fg1_->resizeColumnsToContents();
  fg1_->setColumnWidth(
      3, std::max(fg1_->columnWidth(3), fg1_->fontMetrics().horizontalAdvance("Valore") + 24));
  int width = 2 * fg1_->frameWidth();
  for (int c = 0; c < fg1_->grid().cols(); ++c) width += fg1_->columnWidth(c);
  fg1_->setFixedSize(width, fg1_->horizontalHeader()->sizeHint().height() +
                                kQuadratureMeasures * fg1_->verticalHeader()->defaultSectionSize() +
                                2 * fg1_->frameWidth());
  // Space or Enter on a row of the grid shows its pair, as a click does.
  fg1_->setKeyClicks(GridView::KeyClick::Click, GridView::KeyClick::Click);
  connect(fg1_, &GridView::cellClicked, this, [this](int row, int) { highlightPair(row); });

  auto* command1 = new QPushButton(paintedIcon(PaintedIcon::Calculate), QString(), this);
  command1->setObjectName("Command1");
  command1->setToolTip("Calcola");
  command1->setAccessibleName("Calcola");
  command1->setIconSize(QSize(30, 30));
  command1->setMinimumSize(52, 42);
  auto* command2 = new QPushButton("RESET", this);
  command2->setObjectName("Command2");
  command2->setMinimumHeight(42);
  command2->setFont(verdana(10, true));
  connect(command1, &QPushButton::clicked, this, &Quadrature::compute);
  connect(command2, &QPushButton::clicked, this, &Quadrature::reset);

  auto* legend = new QHBoxLayout;
  legend->addWidget(colouredLabel(this, "Label74", "SOMME", kSums));
  legend->addWidget(colouredLabel(this, "Label75", "DISTANZE", kDistances));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(command1);
  buttons->addWidget(command2);
  buttons->addStretch(1);
  auto* side = new QVBoxLayout;
  side->addWidget(fg1_);
  side->addLayout(legend);
  side->addLayout(buttons);
  side->addStretch(1);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(buildSquare(), 1);
  layout->addLayout(side);
  resize(sizeHint().width() + 120, 540);
}

QWidget* Quadrature::buildSquare() {
  auto* canvas = new SquareCanvas(this);
  canvas->setObjectName("Quadrato");
  for (int i = 0; i < 4; ++i) {
    auto* box = new QLineEdit(canvas);
    box->setObjectName(QString("TxtQ_%1").arg(i + 1));
    box->setAccessibleName(QString("N%1").arg(i + 1));
    box->setToolTip("Clic per scegliere il numero, doppio clic per cancellarlo");
    box->setFont(verdana(12, true));
    box->setAlignment(Qt::AlignCenter);
    box->setReadOnly(true);  // values come only from the number list
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->setAutoFillBackground(true);
    setBack(box, kWhiteQ);
    box->installEventFilter(this);
    txtQ_[static_cast<size_t>(i)] = box;
    canvas->boxes[static_cast<size_t>(i)] = box;
    auto* caption = new QLabel(QString("N%1").arg(i + 1), canvas);
    caption->setObjectName(QString("LblN%1").arg(i + 1));
    caption->setFont(verdana(10, true));
    caption->setAlignment(Qt::AlignCenter);
    caption->setBuddy(box);
    canvas->captions[static_cast<size_t>(i)] = caption;
  }
  for (size_t i = 0; i < kQuadratureTable.size(); ++i) {
    const auto& measure = kQuadratureTable[i];
    auto* label = colouredLabel(
        canvas, QString::fromUtf8(measure.label.data(), static_cast<int>(measure.label.size())), {},
        measure.kind == QuadratureMeasure::Kind::Sum ? kSums : kDistances);
    label->setToolTip(
        QString::fromUtf8(measure.name.data(), static_cast<int>(measure.name.size())));
    pairLabels_[i] = label;
    canvas->labels[i] = label;
  }
  lblTS_ = new QLabel(canvas);
  lblTS_->setObjectName(QString::fromUtf8(kQuadratureTotalLabel.data(),
                                          static_cast<int>(kQuadratureTotalLabel.size())));
  lblTS_->setToolTip("Somma totale");
  lblTS_->setAlignment(Qt::AlignCenter);
  lblTS_->setFont(verdana(12, true));
  lblTS_->setAutoFillBackground(true);
  setBack(lblTS_, kTotalBlue);
  setFore(lblTS_, kWhiteQ);
  canvas->total = lblTS_;

  list1_ = new QListWidget(canvas);
  list1_->setObjectName("List1");
  list1_->setFont(verdana(10, false));
  for (int n = 1; n <= kHighestNumber; ++n) list1_->addItem(QString::number(n));
  list1_->hide();
  list1_->installEventFilter(this);
  connect(list1_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { pickNumber(item->text()); });
  connect(list1_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { pickNumber(item->text()); });
  canvas->list = list1_;
  return canvas;
}

int Quadrature::cornerOf(QObject* object) const {
  for (size_t i = 0; i < txtQ_.size(); ++i)
    if (txtQ_[i] == object) return static_cast<int>(i) + 1;
  return 0;
}

void Quadrature::focusCorner(int corner) {
  for (auto* box : txtQ_) setBack(box, kWhiteQ);
  setBack(txtQ_[static_cast<size_t>(corner - 1)], kFocusYellow);
}

void Quadrature::openList(int corner) {
  if (corner < 1 || corner > 4) return;
  corner_ = corner;
  const int shown = leadingInteger(txtQ_[static_cast<size_t>(corner - 1)]->text().toStdString());
  if (isLottoNumber(shown)) {
    list1_->setCurrentRow(shown - 1);
    list1_->scrollToItem(list1_->currentItem(), QAbstractItemView::PositionAtCenter);
  }
  list1_->show();
  list1_->raise();
}

void Quadrature::pickNumber(const QString& text) {
  if (corner_ >= 1 && corner_ <= 4) txtQ_[static_cast<size_t>(corner_ - 1)]->setText(text);
  list1_->hide();
  compute();
}

void Quadrature::compute() {
  std::array<int, 4> corners{};
  for (size_t i = 0; i < txtQ_.size(); ++i)
    corners[i] = leadingInteger(txtQ_[i]->text().toStdString());
  const QuadratureValues values = computeQuadrature(corners);
  fg1_->modify([&](Grid& grid) { fillQuadratureGrid(grid, values); });
  for (size_t i = 0; i < pairLabels_.size(); ++i)
    pairLabels_[i]->setText(QString::number(values.values[i]));
  lblTS_->setText(QString::number(values.total));
}

void Quadrature::reset() {
  for (auto* box : txtQ_) setBack(box, kWhiteQ);
  for (auto* label : pairLabels_) setFore(label, kBlackQ);
  list1_->hide();
}

void Quadrature::highlightPair(int row) {
  for (auto* box : txtQ_) setBack(box, kWhiteQ);
  for (auto* label : pairLabels_) setFore(label, kBlackQ);
  if (row < 1 || row > kQuadratureMeasures) return;
  const auto& measure = kQuadratureTable[static_cast<size_t>(row - 1)];
  setBack(txtQ_[static_cast<size_t>(measure.first)], kPairCyan);
  setBack(txtQ_[static_cast<size_t>(measure.second)], kPairCyan);
  setFore(pairLabels_[static_cast<size_t>(row - 1)], kPairRed);
}

bool Quadrature::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list1_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    list1_->hide();
    if (corner_ >= 1) txtQ_[static_cast<size_t>(corner_ - 1)]->setFocus();
    return true;
  }
  const int corner = cornerOf(watched);
  if (corner == 0) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress: {
      // No typing: Tab still moves on, and Enter, Space, Down or F4 open the number list.
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return false;
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space ||
          key == Qt::Key_Down || key == Qt::Key_F4) {
        openList(corner);
        list1_->setFocus();
      }
      return true;
    }
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
    case QEvent::ShortcutOverride:
      return true;
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) openList(corner);
      return false;
    case QEvent::MouseButtonDblClick:
      txtQ_[static_cast<size_t>(corner - 1)]->clear();  // the measures stay until computed
      return true;
    case QEvent::FocusIn:
      focusCorner(corner);
      return false;
    default:
      return false;
  }
}

}  // namespace quintello
