#include "gui/common/icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quintello {

namespace {

constexpr int kSize = 64;  // drawn large, scaled down by the button

const QColor kInk(40, 60, 110);

void magnifier(QPainter& p) {
  p.setPen(QPen(kInk, 6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(QColor(230, 240, 255));
  p.drawEllipse(QRectF(6, 6, 38, 38));
  p.drawLine(QPointF(40, 40), QPointF(58, 58));
}

void calendar(QPainter& p) {
  p.setPen(QPen(kInk, 4));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(6, 10, 52, 48), 5, 5);
  p.fillRect(QRectF(8, 12, 48, 12), QColor(200, 40, 40));
  p.drawLine(QPointF(20, 4), QPointF(20, 16));
  p.drawLine(QPointF(44, 4), QPointF(44, 16));
  QFont font("DejaVu Sans");
  font.setPixelSize(24);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kInk);
  p.drawText(QRectF(6, 24, 52, 34), Qt::AlignCenter, "31");
}

void clearGrid(QPainter& p) {
  p.setPen(QPen(kInk, 3));
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      const QRectF cell(6 + c * 18, 6 + r * 18, 16, 16);
      p.setBrush((r + c) % 2 == 0 ? QColor(0, 220, 0) : QColor(Qt::white));
      p.drawRect(cell);
    }
  p.setPen(QPen(QColor(200, 30, 30), 7, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10, 54), QPointF(54, 10));
}

void calculate(QPainter& p) {
  p.setPen(QPen(kInk, 4));
  p.setBrush(QColor(255, 255, 128));
  p.drawRoundedRect(QRectF(6, 6, 52, 52), 8, 8);
  p.setPen(QPen(kInk, 7, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(18, 25), QPointF(46, 25));
  p.drawLine(QPointF(18, 39), QPointF(46, 39));
}

}  // namespace

QIcon paintedIcon(PaintedIcon icon) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (icon) {
    case PaintedIcon::SearchIndex: {
      magnifier(p);
      QFont font("DejaVu Sans");
      font.setPixelSize(18);
      font.setBold(true);
      p.setFont(font);
      p.setPen(kInk);
      p.drawText(QRectF(6, 6, 38, 38), Qt::AlignCenter, "N°");
      break;
    }
    case PaintedIcon::SearchDate:
      calendar(p);
      break;
    case PaintedIcon::ClearHighlights:
      clearGrid(p);
      break;
    case PaintedIcon::Calculate:
      calculate(p);
      break;
  }
  p.end();
  return QIcon(pixmap);
}

QIcon programIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256})
    icon.addFile(QString(":/icons/%1/quintello.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace quintello
