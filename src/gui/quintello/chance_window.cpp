#include "gui/quintello/chance_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/common/grid_output.h"
#include "gui/common/grid_view.h"
#include "gui/common/help.h"

namespace quintello {

Quintello_Caso::Quintello_Caso(Dialogs& dialogs, Help& help, QWidget* parent)
    : GridReportWindow("Quintello_Caso", "Confronto con il caso", "caso", dialogs, parent) {
  auto* explanation = new QLabel(
      "Attesi: le finestre con esito che gli stessi numeri darebbero in media giocati a caso; "
      "Probabilità: quanto è probabile ottenere almeno gli stessi esiti per puro caso (più è "
      "piccola, più la previsione ha fatto meglio del caso).",
      this);
  explanation->setObjectName("Label1");
  explanation->setWordWrap(true);
  static_cast<QVBoxLayout*>(layout())->insertWidget(0, explanation);

  auto* print = new QPushButton("Stampa grid", this);
  print->setObjectName("Command6");
  connect(print, &QPushButton::clicked, this,
          [this, &dialogs] { printGrid(dialogs, grid().grid(), kPrintMargins, kPrintMargins); });
  buttons().insertWidget(1, print);
  installHelp(this, help, Help::kMainFile, "caso");
  resize(720, 360);
}

}  // namespace quintello
