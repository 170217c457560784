#pragma once

namespace quintello {

// Where long work reports how far it got. The windows drive a progress bar with it;
// the command line ignores it.
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void setMaximum(int maximum) = 0;
  virtual void setValue(int value) = 0;
};

class NoProgress final : public Progress {
 public:
  void setMaximum(int) override {}
  void setValue(int) override {}
};

}  // namespace quintello
