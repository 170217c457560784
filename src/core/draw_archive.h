#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/wheel_text.h"
#include "core/wheels.h"

namespace quintello {

// The in-memory archive every analysis and view reads: draws 1..N in date order
// (1 = oldest), eleven wheels of five positions each, the "GG/MM/AAAA" date texts, the
// month and year ordinals, and the model archive (the analysis range first..N).
// Index 0 is never a draw: its numbers are 0 and its date text is empty. Indices outside
// 0..N read as index 0, so no caller can read past the tables.
class DrawArchive {
 public:
  static constexpr int kNumbersPerDraw = kWheelCount * kPositions;

  DrawArchive();

  int count() const { return count_; }  // N, also the index of the latest draw

  // Number at (draw 0..N, wheel 0..10, position 1..5); 0 = no number.
  int number(int draw, int wheel, int position) const;
  // The five numbers of a wheel in one draw, positions 1..5 at [0]..[4].
  std::span<const std::int16_t, kPositions> wheel(int draw, int wheel) const;
  const std::string& dateText(int draw) const;
  int monthOrdinal(int draw) const;
  int yearOrdinal(int draw) const;

  // The model archive: ascending draw indices; modelFirst() and modelLast() are 0 when empty.
  const std::vector<int>& modelList() const { return model_; }
  int modelFirst() const { return model_.empty() ? 0 : model_.front(); }
  int modelLast() const { return model_.empty() ? 0 : model_.back(); }

  // Loading, in this order: clear(), loadRow() for draws 1..N, finishLoad(N), buildModel().
  // clear() zeroes the numbers only; dates and ordinals are overwritten by the next load
  // and the model archive stays until it is rebuilt.
  void clear();
  void loadRow(int draw, std::string_view dateText,
               const std::array<std::string_view, kWheelCount>& wheelTexts);
  void loadRow(int draw, std::string_view dateText,
               const std::array<WheelNumbers, kWheelCount>& wheels);
  // Sets N and numbers the draws within their month and year; Ordinals::Keep leaves the
  // ordinals of the previous load (the archive window's own reload does that).
  enum class Ordinals { Compute, Keep };
  void finishLoad(int drawCount, Ordinals ordinals = Ordinals::Compute);
  // Rebuilds the model archive as firstIndex..N; a first index outside 1..N is clamped.
  void buildModel(int firstIndex);

 private:
  void ensureRoom(int draw);
  bool valid(int draw) const { return draw >= 0 && draw <= count_; }

  int count_ = 0;
  std::vector<std::int16_t> numbers_;  // (N+1) x 55, row 0 all zero
  std::vector<std::string> dates_;
  // Wider than the 16 bits of the numbers: draws whose month never changes (a table holding
  // only January draws, year after year) count on past 32,767.
  std::vector<std::int32_t> monthOrdinals_;
  std::vector<std::int32_t> yearOrdinals_;
  std::vector<int> model_;
};

}  // namespace quintello
