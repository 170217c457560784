#pragma once

#include <QWidget>
#include <string>

class QLabel;

namespace quintello {

class AppContext;
class GridView;

// "Elenco estrazioni", the archive window's second tab: every draw of the archive in FgDB,
// one row per draw with its date and its eleven wheels, the current row in yellow; a row
// picked here is shown on the first tab. It follows every reload of the archive.
class ElencoEstrazioniTab : public QWidget {
  Q_OBJECT

 public:
  explicit ElencoEstrazioniTab(AppContext& context, QWidget* parent = nullptr);

  // FgDB and Label9 from the in-memory archive.
  void fill();
  // After a reload: at once when the tab is in view, else when it comes into view.
  void followReload();

  // The tab's commands, as the user gives them.
  void selectCurrentDraw();  // Command11 "Selezione estrazione"
  void showLastDraw();       // Command13 "Vai ultima estrazione"
  void showFirstDraw();      // Command14 "Vai alla prima estrazione"

 signals:
  // "Selezione estrazione": the draw of the current row and its date text.
  void drawSelected(int draw, const std::string& dateText);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void highlightRow(int row);

  AppContext& context_;
  GridView* fgDB_ = nullptr;
  QLabel* label9_ = nullptr;
  bool stale_ = false;  // the archive was reloaded while the tab was out of view
};

}  // namespace quintello
