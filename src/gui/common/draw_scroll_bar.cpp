#include "gui/common/draw_scroll_bar.h"

#include <QEvent>
#include <QKeyEvent>
#include <QScrollBar>

namespace quintello {

namespace {

class DrawKeys : public QObject {
 public:
  explicit DrawKeys(QScrollBar* bar) : QObject(bar), bar_(bar) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != bar_ || event->type() != QEvent::KeyPress) return false;
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Left:
      case Qt::Key_Up:
        action = QAbstractSlider::SliderSingleStepSub;
        break;
      case Qt::Key_Right:
      case Qt::Key_Down:
        action = QAbstractSlider::SliderSingleStepAdd;
        break;
      case Qt::Key_PageUp:
        action = QAbstractSlider::SliderPageStepSub;
        break;
      case Qt::Key_PageDown:
        action = QAbstractSlider::SliderPageStepAdd;
        break;
      default:
        return false;
    }
    bar_->triggerAction(action);
    return true;
  }

 private:
  QScrollBar* bar_;
};

}  // namespace

void useDrawKeys(QScrollBar* bar) {
  bar->setFocusPolicy(Qt::StrongFocus);
  bar->installEventFilter(new DrawKeys(bar));
}

}  // namespace quintello
