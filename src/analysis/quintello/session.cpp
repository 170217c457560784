#include "analysis/quintello/session.h"

#include <algorithm>

namespace quintello {

QuintelloInputs QuintelloSession::defaultInputs(const DrawArchive& archive) {
  QuintelloInputs inputs;
  inputs.EstrazioneCorrente = archive.count();
  return inputs;
}

QuintelloSession::QuintelloSession(const DrawArchive& archive)
    : archive_(archive), inputs_(defaultInputs(archive)) {}

Progress& QuintelloSession::progress() const {
  static NoProgress silent;
  return progress_ ? *progress_ : silent;
}

int QuintelloSession::referenceDraw() const {
  return std::clamp(inputs_.EstrazioneCorrente, 0, archive_.count());
}

int QuintelloSession::limitFromInputs() const {
  return inputs_.FineRicerca ? referenceDraw() : archive_.count();
}

void QuintelloSession::elenco() {
  // A new list starts a new count of outcomes; the colpo table goes with it, so that the
  // summary never mixes the colpi of an old list with the sizes of a new one.
  book_.resetOutcomeCounts();
  search_.clearPairs();
  limiteFine_ = limitFromInputs();
  search_.useGameWheel(inputs_.RuotaGioco);
  list_.build(archive_, inputs_, referenceDraw(), limiteFine_);
  if (list_.rows().empty()) return;
  book_.clear();
  search_.clearCombinations();
  Statistica_Numeri();
}

void QuintelloSession::Statistica_Numeri() {
  list_.computeStatistics(archive_, inputs_.RuotaGioco, referenceDraw());
}

void QuintelloSession::elabora(Progress& progress) {
  limiteFine_ = limitFromInputs();
  search_.elabora(windows(), limiteFine_, combinationSize(), random_, progress);
}

// --- Adding and removing forecasts ------------------------------------------------------

bool QuintelloSession::appendForecast(const std::array<int, kNumeriPrevisione>& numbers,
                                      int sorte) {
  if (!book_.add(numbers, sorte, archive_, inputs_.RuotaGioco, list_.rows(), list_.NumPresenze()))
    return false;
  if (book_.esitiTotal() < list_.NumPresenze()) elabora();
  if (inputs_.VerificaAutomatica) verifyForecasts();
  return true;
}

bool QuintelloSession::addFromCombinationList(int row) {
  const auto& combinations = search_.combinations();
  if (row < 1 || row > static_cast<int>(combinations.size())) return false;
  const CombinationRow source = combinations[static_cast<size_t>(row - 1)];
  if (source.numbers[0] == kHighestNumber && source.numbers[1] == kHighestNumber) return false;
  if (book_.refusesMore(list_.NumPresenze())) return false;
  return appendForecast(source.numbers, source.numbers[1] == 0 ? 1 : 2);
}

bool QuintelloSession::addFromBoard() {
  if (book_.refusesMore(list_.NumPresenze())) return false;
  const std::vector<int> marked = boardNumbers();
  if (marked.empty()) return false;
  std::array<int, kNumeriPrevisione> numbers{};
  const size_t taken = std::min(marked.size(), numbers.size());
  std::copy_n(marked.begin(), taken, numbers.begin());
  return appendForecast(numbers, taken == 1 ? 1 : 2);
}

bool QuintelloSession::addThroughCombinationList(std::span<const int> numbers) {
  // The row appended to the combination list holds the numbers that count, in their order;
  // a row without any would make a forecast of no number, so nothing is appended then.
  CombinationRow row;
  int taken = 0;
  for (int n : numbers) {
    if (taken == kNumeriPrevisione) break;
    const auto begin = row.numbers.begin();
    if (!isLottoNumber(n) || std::find(begin, begin + taken, n) != begin + taken) continue;
    row.numbers[static_cast<size_t>(taken++)] = n;
  }
  if (taken == 0) return false;
  return addFromCombinationList(search_.appendCombination(row));
}

bool QuintelloSession::addPair(int row) {
  if (static_cast<int>(book_.forecasts().size()) >= kMaxPrevisioni - 1) return false;
  const auto& pairs = search_.pairs();
  if (row < 1 || row > static_cast<int>(pairs.size())) return false;
  const PairRow pair = pairs[static_cast<size_t>(row - 1)];
  return addPairNumbers(pair.N1, pair.N2);
}

bool QuintelloSession::addPairNumbers(int n1, int n2) {
  if (static_cast<int>(book_.forecasts().size()) >= kMaxPrevisioni - 1) return false;
  // The size list goes to one number and the search lists all ninety; each number is then
  // added from its row of that list.
  inputs_.NumeriCombinazione = 1;
  elabora();
  bool added = false;
  for (const int n : {n1, n2}) {
    const auto& combinations = search_.combinations();
    const auto found = std::find_if(combinations.begin(), combinations.end(),
                                    [n](const CombinationRow& row) { return row.numbers[0] == n; });
    if (found != combinations.end())
      added = addFromCombinationList(static_cast<int>(found - combinations.begin()) + 1) || added;
  }
  return added;
}

bool QuintelloSession::removeForecast(int row) {
  if (!book_.remove(row, list_.rows())) return false;
  if (book_.forecasts().empty()) return true;
  if (book_.esitiTotal() < list_.NumPresenze()) elabora();
  verifyForecasts();
  book_.countCoveredRows(list_.rows(), list_.NumPresenze());
  return true;
}

void QuintelloSession::verifyForecasts() {
  if (book_.verify(archive_, inputs_.RuotaGioco, limiteFine_, list_.rows(), list_.NumPresenze()))
    Statistica_Numeri();
}

// --- Number board ------------------------------------------------------------------------

bool QuintelloSession::toggleBoardNumber(int number) {
  if (!isLottoNumber(number)) return false;
  auto& mark = board_[static_cast<size_t>(number)];
  if (mark) {
    mark = false;
  } else if (std::count(board_.begin(), board_.end(), true) < kNumeriPrevisione) {
    mark = true;
  }
  return mark;
}

bool QuintelloSession::boardMarked(int number) const {
  return isLottoNumber(number) && board_[static_cast<size_t>(number)];
}

std::vector<int> QuintelloSession::boardNumbers() const {
  std::vector<int> marked;
  for (int n = 1; n <= kHighestNumber; ++n)
    if (board_[static_cast<size_t>(n)]) marked.push_back(n);
  return marked;
}

}  // namespace quintello
