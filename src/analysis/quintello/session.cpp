#include "analysis/quintello/session.h"

#include <algorithm>

namespace quintello {

int Previsione::size() const {
  return static_cast<int>(
      std::count_if(Numeri.begin(), Numeri.end(), [](int n) { return n != 0; }));
}

bool Previsione::contains(int number) const {
  return number != 0 && std::find(Numeri.begin(), Numeri.end(), number) != Numeri.end();
}

QuintelloInputs QuintelloSession::defaultInputs(const DrawArchive& archive) {
  QuintelloInputs inputs;
  inputs.EstrazioneCorrente = archive.count();
  return inputs;
}

QuintelloSession::QuintelloSession(const DrawArchive& archive)
    : archive_(archive), inputs_(defaultInputs(archive)) {
  ruotaAttiva_.fill(true);
  posizioneAttiva_.fill(true);
}

// Not wired yet: the commands land in the next commits.
void QuintelloSession::elenco() {}
void QuintelloSession::Statistica_Numeri() {}
void QuintelloSession::emptyOccurrenceList() { rows_.clear(); }
void QuintelloSession::elabora(Progress&) {}
void QuintelloSession::elabora() {}
void QuintelloSession::pulisce() {}
void QuintelloSession::coverBestCombinations() {}
void QuintelloSession::searchPairs(Progress&) {}
void QuintelloSession::searchPairs() {}
bool QuintelloSession::addFromCombinationList(int) { return false; }
bool QuintelloSession::addFromBoard() { return false; }
bool QuintelloSession::addFromBoardThroughCombinationList() { return false; }
bool QuintelloSession::addThroughCombinationList(std::span<const int>) { return false; }
bool QuintelloSession::addPair(int) { return false; }
bool QuintelloSession::addPairNumbers(int, int) { return false; }
bool QuintelloSession::removeForecast(int) { return false; }
void QuintelloSession::verifyForecasts() {}
bool QuintelloSession::toggleBoardNumber(int) { return false; }
void QuintelloSession::clearBoard() { board_.fill(false); }
bool QuintelloSession::boardMarked(int) const { return false; }
void QuintelloSession::highlightCombination(int) {}
void QuintelloSession::highlightForecast(int) {}
std::optional<Grid> QuintelloSession::occurrenceDetail(int) const { return std::nullopt; }
RiepilogoStatistico QuintelloSession::statisticalSummary() const {
  return {Grid(), Grid(), Label{}};
}
std::optional<ElencoEstrazioni> QuintelloSession::restrictedDrawList(int) const {
  return std::nullopt;
}
std::optional<ElencoEstrazioni> QuintelloSession::completeDrawList(int) const {
  return std::nullopt;
}
std::optional<Grid> QuintelloSession::delaysReport() const { return std::nullopt; }
Grid QuintelloSession::renderFg1() const { return Grid(); }
Grid QuintelloSession::renderFgN() const { return Grid(); }
Grid QuintelloSession::renderFg_ZZ() const { return Grid(); }
Grid QuintelloSession::renderFg_CC() const { return Grid(); }
Grid QuintelloSession::renderFgU() const { return Grid(); }
Grid QuintelloSession::renderFg_I2() const { return Grid(); }
Grid QuintelloSession::renderFg9090() const { return Grid(); }
Grid QuintelloSession::renderList3() const { return Grid(); }
Grid QuintelloSession::renderFg90() const { return Grid(); }
Grid QuintelloSession::renderFga(int, int) const { return Grid(); }
QuintelloLabels QuintelloSession::labels() const { return {}; }

}  // namespace quintello
