#pragma once

#include <QProgressBar>

#include "core/progress.h"

namespace quintello {

// Drives a progress bar from core's long work.
class ProgressBarAdapter final : public Progress {
 public:
  explicit ProgressBarAdapter(QProgressBar* bar) : bar_(bar) {}
  void setMaximum(int maximum) override { bar_->setMaximum(maximum); }
  void setValue(int value) override { bar_->setValue(value); }

 private:
  QProgressBar* bar_;
};

}  // namespace quintello
