#pragma once

#include <QWidget>
#include <string>

#include "gui/archive/gestione_ui.h"

class QDate;

namespace quintello {

class AppContext;
class ArchiveDatabase;
struct Notice;

// "&Gestione estrazioni", the archive window's first tab: one draw of the archive in the
// 55 entry boxes, chosen with the scroll bar HScrestrazione, keyed in or pasted, and saved
// under the date of the calendar MonthView1, modified or deleted; the year calendar Fg1 of
// the draws of one year and the searches by date and by index.
//
// Every reload of the archive, whoever asks for it, brings the tab back to the latest draw
// (AggiornaEtichette), its year list and its calendar to the new draws.
class GestioneEstrazioniTab : public QWidget, private GestioneUi {
  Q_OBJECT

 public:
  explicit GestioneEstrazioniTab(AppContext& context, QWidget* parent = nullptr);

  EntryGrid* entryGrid() const { return txtin_; }
  int shownDraw() const { return shownDraw_; }

  // The labels of the archive (count, latest date) and the scroll bar on the latest draw.
  void AggiornaEtichette();
  // Writes draw `draw` into the boxes and its ordinals into LabelPM and LabelPA.
  void MostraEstrazione(int draw);
  // Scroll value = draw; the draw is shown (again) even when the value stays.
  void showDrawAt(int draw);
  // The calendar's date; Text1 follows it.
  void setCalendarDate(const QDate& date);
  // Combo1: the years of the archive, the last selected, which loads its calendar.
  void fillYearList();
  // A draw picked elsewhere (the "Elenco estrazioni" tab): shown, and its date on the calendar.
  void selectDraw(int draw, const std::string& dateText);

  // The tab's commands, as the user gives them.
  void clearBoxes();                       // Command1 "AZZERA GRID "
  void pasteDraw();                        // Command12 "INCOLLA ESTRAZIONE"
  void setCalendarToShownDraw();           // Command6 "Imposta data"
  void setCalendarToToday();               // Command9 "Imposta data odierna"
  void showLatestDraw();                   // Command4 "Vai ultima estrazione"
  void askDrawIndex();                     // a click on pAN_DC
  void saveDraw();                         // Command8 "SALVA ESTRAZIONE"
  void modifyDraw();                       // Command3 "MODIFICA ESTRAZIONE"
  void deleteDraw();                       // Command2 "ELIMINA ESTRAZIONE"
  void loadCalendar();                     // Command24 "Carica calendario" (Combo1, Check2)
  void pickCalendarDay(int row, int col);  // a click on a day of Fg1
  void searchByDate();                     // Command59 "Ricerca per data"
  void searchByIndex();                    // Command42(1) "Ricerca per numero indice"
  void openHelp();                         // CmDHelp "Help in linea"

 signals:
  // A save or a modification has run to its end: what an earlier update check found no
  // longer describes the archive.
  void updateCheckOutdated();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Connects the controls to the tab's handlers.
  void connectControls();

  void scrollChanged();
  void setScrollValue(int draw);
  void followReload();
  void reloadCalendar(bool focusLatestDraw);
  ArchiveDatabase* archiveToChange();
  void reloadArchive();
  void tell(const Notice& notice);
  void showFailure(const QString& text);

  AppContext& context_;
  int shownDraw_ = 0;
};

}  // namespace quintello
