#pragma once

#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/quintello/session.h"
#include "support/test_archive.h"

namespace quintello::test {

// `count` weekly draws in which nothing was drawn, except the wheels written in `drawn`, draw
// by draw: "3 BA 7 1 2 3 4; 4 RO 1 2 3 4 5 NA 90 1 2 3 4" (draw 4 on two wheels).
inline DrawArchive archiveWith(int count, std::string_view drawn) {
  auto draws = weeklyDraws(count);
  for (auto& draw : draws) draw.wheels.clear();
  std::istringstream entries{std::string(drawn)};
  for (std::string entry; std::getline(entries, entry, ';');) {
    std::istringstream in(entry);
    int index = 0;
    in >> index;
    for (std::string code; in >> code;) {
      WheelNumbers numbers{};
      for (auto& n : numbers)
        if (!(in >> n)) throw std::invalid_argument("five numbers expected: " + entry);
      draws.at(static_cast<size_t>(index - 1)).wheels.emplace_back(code, numbers);
    }
  }
  return makeArchive(draws);
}

// Inputs for the number (7) detected on Bari, played on the game wheel (Roma).
inline QuintelloInputs inputsFor(int reference, int colpi = 12, int presenze = 12, int number = 7,
                                 int game = 7) {
  return {.EstrazioneCorrente = reference,
          .NumeroCercato = number,
          .RuotaRilevazione = 0,
          .RuotaGioco = game,
          .NumPresenze = presenze,
          .Colpi = colpi};
}

inline QuintelloSession listed(const DrawArchive& archive, const QuintelloInputs& inputs) {
  QuintelloSession session(archive);
  session.inputs() = inputs;
  session.elenco();
  return session;
}

[[nodiscard]] inline bool add(QuintelloSession& session, std::vector<int> numbers) {
  return session.addThroughCombinationList(numbers);
}

inline QuintelloLabels labels(const QuintelloSession& session) {
  return renderLabels(session.list(), session.book());
}

}  // namespace quintello::test
