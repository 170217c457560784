#pragma once

#include <QDialog>
#include <span>

namespace quintello {

class Dialogs;
class GridView;

// What the window opening the number picker is told.
class NumberPickerClient {
 public:
  virtual ~NumberPickerClient() = default;
  // The user clicked `number` (1..90); the picker closes right after.
  virtual void numberPicked(int number) = 0;
};

// Numeri, the number picker: the numbers 1..90 on a 9 x 10 board. One click (or Enter or
// Space on the current cell) paints the number yellow, reports it to the client and closes
// the picker; Esc closes it without a choice. The opener decides how it is shown: exec() for
// a modal choice, or show().
class Numeri : public QDialog {
  Q_OBJECT

 public:
  Numeri(NumberPickerClient& client, Dialogs& dialogs, QWidget* parent = nullptr);

  // Green on the given numbers (for example the reference draw's), white elsewhere.
  void markNumbers(std::span<const int> numbers);
  GridView& board() { return *fg1_; }

  // A click on the board's cell (row 0..8, column 0..9).
  void pick(int row, int col);

 private:
  NumberPickerClient& client_;
  GridView* fg1_;
};

}  // namespace quintello
