#pragma once

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace quintello {

class Dialogs;
class EntryGrid;
class GestioneEstrazioniTab;
class GridView;

// The controls of the "Gestione estrazioni" tab, built with their layouts by setupUi: the tab
// reads and fills them and connects them to its handlers. The buttons come already wired to
// the tab's commands.
struct GestioneUi {
  // Builds every control into `tab`, in the order the Tab key goes through them.
  void setupUi(GestioneEstrazioniTab& tab, Dialogs& dialogs);

  EntryGrid* txtin_ = nullptr;
  QScrollBar* hScrestrazione_ = nullptr;
  QLabel* lblEstrazione_ = nullptr;
  QLabel* pAN_DC_ = nullptr;
  QLabel* labelPM_ = nullptr;
  QLabel* labelPA_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel* lblAggiornato_ = nullptr;
  QCalendarWidget* monthView1_ = nullptr;
  QLineEdit* text1_ = nullptr;
  QComboBox* combo1_ = nullptr;
  QCheckBox* check2_ = nullptr;
  GridView* fg1_ = nullptr;
};

}  // namespace quintello
