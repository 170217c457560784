#include "gui/common/scroll_keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QScrollBar>

namespace quintello {

namespace {

QAbstractSlider::SliderAction actionFor(int key) {
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
      return QAbstractSlider::SliderSingleStepSub;
    case Qt::Key_Right:
    case Qt::Key_Down:
      return QAbstractSlider::SliderSingleStepAdd;
    case Qt::Key_PageUp:
      return QAbstractSlider::SliderPageStepSub;
    case Qt::Key_PageDown:
      return QAbstractSlider::SliderPageStepAdd;
    default:
      return QAbstractSlider::SliderNoAction;
  }
}

class DesktopScrollKeys : public QObject {
 public:
  explicit DesktopScrollKeys(QScrollBar* bar) : QObject(bar), bar_(bar) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == bar_ && event->type() == QEvent::KeyPress) {
      const auto action = actionFor(static_cast<QKeyEvent*>(event)->key());
      if (action != QAbstractSlider::SliderNoAction) {
        bar_->triggerAction(action);
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QScrollBar* bar_;
};

}  // namespace

void installDesktopScrollKeys(QScrollBar* bar) {
  bar->installEventFilter(new DesktopScrollKeys(bar));
}

}  // namespace quintello
