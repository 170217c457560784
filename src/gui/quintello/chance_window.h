#pragma once

#include "gui/quintello/report_windows.h"

namespace quintello {

class Dialogs;
class Help;

// Quintello_Caso, "Confronto con il caso": each forecast against what the same numbers played
// at random would give over the same play windows (grid caso), with one line on how to read
// it. The Quintello window refills it at every request, from its forecast list and the archive
// as they are then.
class Quintello_Caso : public GridReportWindow {
  Q_OBJECT

 public:
  Quintello_Caso(Dialogs& dialogs, Help& help, QWidget* parent = nullptr);

  static constexpr int kPrintMargins = 450;  // twips
};

}  // namespace quintello
