// The Quintello window's reports: the windows its commands open on the session's results,
// and the copy and print of its lists.
#include "gui/common/app_context.h"
#include "gui/common/grid_output.h"
#include "gui/common/grid_view.h"
#include "gui/common/single_window.h"
#include "gui/quintello/chance_window.h"
#include "gui/quintello/draw_list_window.h"
#include "gui/quintello/quintello_window.h"
#include "gui/quintello/report_windows.h"

namespace quintello {

Ritardi* Quintello::delaysWindow() const { return ritardi_; }
VerificaPrevisione* Quintello::detailWindow() const { return verifica_; }
Quintello_Riepilogo* Quintello::summaryWindow() const { return riepilogo_; }
ElencoEstrazioni* Quintello::drawListWindow() const { return elencoEstrazioni_; }
Quintello_Caso* Quintello::chanceWindow() const { return caso_; }

void Quintello::showOccurrenceDetail() {
  auto detail = session_.occurrenceDetail(selectedRow(fg1_));
  if (!detail) return;
  openSingle(verifica_, [this] {
    return new VerificaPrevisione(context_.dialogs(), this);
  })->fill(std::move(*detail));
}

void Quintello::showSummary() {
  openSingle(riepilogo_, [this] {
    return new Quintello_Riepilogo(context_.dialogs(), this);
  })->fill(session_.statisticalSummary());
}

void Quintello::showRestrictedList() {
  showDrawList(session_.restrictedDrawList(selectedRow(fgZZ_)));
}

void Quintello::showCompleteList() { showDrawList(session_.completeDrawList(selectedRow(fgZZ_))); }

void Quintello::showDrawList(std::optional<ForecastDrawList> list) {
  if (!list) return;
  openSingle(elencoEstrazioni_, [this] {
    return new ElencoEstrazioni(context_.dialogs(), this);
  })->fill(std::move(list->FgE), QString::fromStdString(list->Label1.text));
}

void Quintello::showDelays() {
  auto report = session_.delaysReport();
  if (!report) return;
  openSingle(ritardi_, [this] {
    return new Ritardi(context_.dialogs(), this);
  })->fill(std::move(*report));
}

void Quintello::showChanceComparison() {
  openSingle(caso_, [this] {
    return new Quintello_Caso(context_.dialogs(), context_.help(), this);
  })->fill(session_.chanceReport());
}

void Quintello::copyResultList() { copyGridToClipboard(fg1_->grid()); }
void Quintello::copyForecasts() { copyGridToClipboard(fgZZ_->grid()); }
void Quintello::copyCombinations() { copyGridToClipboard(fgCC_->grid()); }

void Quintello::printResultList() {
  printGrid(context_.dialogs(), fg1_->grid(), kPrintMarginsFg1, kPrintMarginsFg1);
}

void Quintello::printForecasts() {
  printGrid(context_.dialogs(), fgZZ_->grid(), kPrintMarginsFg_ZZ, kPrintMarginsFg_ZZ);
}

}  // namespace quintello
