#pragma once

#include <QPointer>
#include <QWidget>

#include "analysis/quintello/session.h"
#include "gui/quintello/number_picker.h"
#include "gui/quintello/quintello_ui.h"

namespace quintello {

class AppContext;
class ElencoEstrazioni;
class GridView;
class Quintello_Caso;
class Quintello_Riepilogo;
class Ritardi;
class VerificaPrevisione;

// Quintello, the method's window: the selection controls, the reference draw and its display
// fga, the occurrence list Fg1 with the per-number statistics FgN, the three tab pages that
// build forecasts (number board, combination list, pair list), the forecast list Fg_ZZ and
// the commands of verification and the reports.
//
// The window computes nothing: its controls set the inputs of a QuintelloSession, its
// commands call the session, and every grid and label it shows is what the session renders,
// so the window and quintello-cli always agree. Selections made by code go through the same
// handlers as a user's choice (the opening sequence relies on it).
class Quintello : public QWidget, public NumberPickerClient, private QuintelloUi {
  Q_OBJECT

 public:
  static constexpr const char* kHelpFile = "helpquintello.chm";

  explicit Quintello(AppContext& context, QWidget* parent = nullptr);
  ~Quintello() override;

  const QuintelloSession& session() const { return session_; }

  // --- The commands, as the user gives them -------------------------------------------
  void elenco();                           // Command1 "ELENCO", ComboPresenze, double click on Fg1
  void elabora();                          // Command27 "ELABORA"
  void pulisce();                          // Command29 (hidden)
  void coverBestCombinations();            // Command31 (hidden)
  void searchPairs();                      // Command60 "ELABORA" of tab "Coppie"
  void addFromCombinationList();           // Cmd_aggiunge, double click on Fg_CC
  void addFromBoard();                     // Command2
  void addFromBoardThroughCombinations();  // Command8 (hidden)
  void addPair();                          // Command7, double click on Fg9090
  void removeForecast();                   // Cmd_Rimuove
  void verifyForecasts();                  // Cmd_VerificaPrevisioni "Visualizza sfaldamenti"
  void showOccurrenceDetail();             // Command12 "Verifica previsione"
  void showSummary();                      // Command10 "Riepilogo statistico"
  void showRestrictedList();               // CmdEleEstraz "Elenco ristretto"
  void showCompleteList();                 // Command5 "Elenco completo"
  void showDelays();                       // Command21
  void showChanceComparison();             // CmdCaso "Confronto con il caso"
  void lastDraw();                         // Command22 "Ultima"
  void chooseDrawByIndex();                // Command23
  void chooseDrawByDate();                 // Command24
  void openNumberPicker();                 // CmdN
  void clearBoard();                       // Command3
  void clickResultList(int row, int col);  // click on Fg1
  void clickBoard(int row, int col);       // click on Fg90
  void copyResultList();                   // Command25
  void copyForecasts();                    // Command4
  void copyCombinations();                 // Command11
  void printResultList();                  // Command37
  void printForecasts();                   // Command6

  // The picker while it is open; the report windows once opened (null before or after).
  Numeri* numberPicker() const { return picker_; }
  Ritardi* delaysWindow() const;
  VerificaPrevisione* detailWindow() const;
  Quintello_Riepilogo* summaryWindow() const;
  ElencoEstrazioni* drawListWindow() const;
  Quintello_Caso* chanceWindow() const;

  // NumberPickerClient: the caption of CmdN and an empty result list.
  void numberPicked(int number) override;

  static constexpr int kPrintMarginsFg1 = 350;    // twips
  static constexpr int kPrintMarginsFg_ZZ = 450;  // twips

 private:
  // Connects the controls to the session and to the window's handlers.
  void connectControls();
  void openingSequence();

  // A choice made by the program: the entry becomes current and its handler runs, as when
  // the user picks it.
  void choose(QComboBox* combo, int index, void (Quintello::*handler)(int));
  // Handlers of the selection controls.
  void chooseGameWheel(int index);        // ComboG
  void chooseDetectionWheel(int index);   // ComboR
  void chooseColpi(int index);            // ComboC
  void chooseCombinationSize(int index);  // ComboN
  void choosePresences(int index);        // ComboPresenze
  void referenceDrawUpdate();             // change of hFine
  void followArchive();                   // the archive was reloaded

  // Showing what the session holds.
  void showSession();
  void showPairs();
  void showBoard();
  void showDraw(int draw, int outcomeRow);
  // The draws of a forecast's windows in ElencoEstrazioni, when the forecast has some.
  void showDrawList(std::optional<ForecastDrawList> list);
  void prepareCommand();

  // The data row selected in a grid, 0 when none.
  static int selectedRow(const GridView* grid);

  AppContext& context_;
  QuintelloSession session_;

  QPointer<Numeri> picker_;
  QPointer<Ritardi> ritardi_;
  QPointer<VerificaPrevisione> verifica_;
  QPointer<Quintello_Riepilogo> riepilogo_;
  QPointer<ElencoEstrazioni> elencoEstrazioni_;
  QPointer<Quintello_Caso> caso_;
};

}  // namespace quintello
