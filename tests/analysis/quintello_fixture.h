#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "analysis/quintello/session.h"
#include "support/test_archive.h"

namespace quintello::test {

using Wheels = std::vector<std::pair<std::string, WheelNumbers>>;

// `count` weekly draws in which nothing was drawn, except the wheels given for some draws:
//   archiveWith(30, {{20, {{"BA", {7, 1, 2, 3, 4}}}}})
inline DrawArchive archiveWith(int count, const std::map<int, Wheels>& wheels) {
  auto draws = weeklyDraws(count);
  for (auto& draw : draws) draw.wheels.clear();
  for (const auto& [index, drawn] : wheels) draws.at(static_cast<size_t>(index - 1)).wheels = drawn;
  return makeArchive(draws);
}

// Inputs for the number 7 detected on Bari and played on Roma, at the given reference draw.
inline QuintelloInputs inputsFor(int reference, int colpi = 12, int presenze = 12) {
  QuintelloInputs inputs;
  inputs.EstrazioneCorrente = reference;
  inputs.NumeroCercato = 7;
  inputs.RuotaRilevazione = 0;
  inputs.RuotaGioco = 7;
  inputs.Colpi = colpi;
  inputs.NumPresenze = presenze;
  return inputs;
}

// Records what a long operation reported.
class RecordingProgress final : public Progress {
 public:
  void setMaximum(int maximum) override { maximum_ = maximum; }
  void setValue(int value) override { values.push_back(value); }
  int maximum_ = 0;
  std::vector<int> values;
};

}  // namespace quintello::test
