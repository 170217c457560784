#pragma once

#include <QWidget>
#include <array>

#include "archive/draw_entry.h"
#include "archive/entry_record.h"

class QKeyEvent;
class QLineEdit;

namespace quintello {

// txtin(1..55), the archive window's entry boxes: eleven rows of five (Bari to Nazionale,
// positions 1..5) under their wheel labels label_r(1..10) and Label11. Every change of a
// box's text, every key and every focus change goes through the entry rules of
// archive/draw_entry.h; the grid only applies their answers to the boxes.
class EntryGrid : public QWidget {
  Q_OBJECT

 public:
  explicit EntryGrid(QWidget* parent = nullptr);

  QLineEdit* box(int box) const;  // 1..55, null outside
  EntryBoxes boxes() const;       // the texts as they stand
  void setBoxes(const EntryBoxes& boxes);
  void clear();  // "AZZERA GRID "

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int boxOf(const QObject* object) const;
  void applyChangeFilter(int box);
  bool applyKeyFilter(int box, const QKeyEvent& event);
  void enterBox(int box, Qt::FocusReason reason);
  void leaveBox(int box);

  std::array<QLineEdit*, kEntryBoxCount> txtin_{};
};

}  // namespace quintello
