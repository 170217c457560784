#pragma once

#include <QElapsedTimer>
#include <QProgressBar>

#include "core/progress.h"

namespace quintello {

// Drives a progress bar from core's long work. The bar always holds the value it was given,
// but it is painted at once at most every kRepaintInterval: a bar repainted for every step of
// a reload of ten thousand draws would cost more than the reload. The steps in between are
// painted with the next timed repaint or when the event loop runs again.
class ProgressBarAdapter final : public Progress {
 public:
  static constexpr int kRepaintInterval = 30;  // ms

  explicit ProgressBarAdapter(QProgressBar* bar) : bar_(bar) {}
  void setMaximum(int maximum) override { bar_->setMaximum(maximum); }
  void setValue(int value) override {
    if (painted_.isValid() && painted_.elapsed() < kRepaintInterval) {
      bar_->setUpdatesEnabled(false);
      bar_->setValue(value);
      bar_->setUpdatesEnabled(true);  // schedules the paint
      return;
    }
    bar_->setValue(value);
    painted_.start();
  }

 private:
  QProgressBar* bar_;
  QElapsedTimer painted_;
};

}  // namespace quintello
