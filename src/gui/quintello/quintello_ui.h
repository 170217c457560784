#pragma once

#include <array>

#include "core/wheels.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;
class QTabWidget;

namespace quintello {

class Dialogs;
class GridView;
class Quintello;

// The controls of the Quintello window, built with their layouts by setupUi: the window
// reads and fills them, and connects them to its session. The buttons come already wired
// to the window's commands.
struct QuintelloUi {
  // Builds every control into `window`, in the order the Tab key goes through them.
  void setupUi(Quintello& window, Dialogs& dialogs);

  QComboBox* comboG_ = nullptr;
  QComboBox* comboR_ = nullptr;
  QPushButton* cmdN_ = nullptr;
  QComboBox* comboC_ = nullptr;
  std::array<QCheckBox*, kPositions> chP_{};
  QComboBox* comboPresenze_ = nullptr;
  QCheckBox* chFine_ = nullptr;
  QScrollBar* hFine_ = nullptr;
  QLabel* labend_ = nullptr;
  QLabel* label4_ = nullptr;
  GridView* fga_ = nullptr;
  GridView* fg1_ = nullptr;
  QLabel* lblNC_ = nullptr;
  QLabel* label7_ = nullptr;
  GridView* fgN_ = nullptr;
  QTabWidget* ssTab1_ = nullptr;
  GridView* fg90_ = nullptr;
  QComboBox* comboN_ = nullptr;
  GridView* fgCC_ = nullptr;
  GridView* fg9090_ = nullptr;
  GridView* fgZZ_ = nullptr;
  QLabel* lblT_ = nullptr;
  QLabel* lblS_ = nullptr;
  QCheckBox* chVerificaPrev_ = nullptr;
  GridView* fgU_ = nullptr;
  GridView* fgI2_ = nullptr;
  GridView* list3_ = nullptr;
  QListWidget* listResults_ = nullptr;
};

}  // namespace quintello
