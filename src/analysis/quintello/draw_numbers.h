#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <span>

#include "core/draw_archive.h"
#include "core/wheels.h"

namespace quintello {

// A set of Lotto numbers 1..90 as bits (number n is bit n - 1).
class NumberMask {
 public:
  // The set of the Lotto numbers among `numbers` (a forecast's or a combination's cells,
  // whose 0 is an empty cell).
  static constexpr NumberMask of(std::span<const int> numbers) {
    NumberMask set;
    for (const int n : numbers) set.add(n);
    return set;
  }
  constexpr void add(int n) {
    if (isLottoNumber(n)) words_[static_cast<unsigned>(n - 1) / 64] |= bit(n);
  }
  constexpr bool has(int n) const {
    return isLottoNumber(n) && (words_[static_cast<unsigned>(n - 1) / 64] & bit(n)) != 0;
  }
  constexpr int count() const { return std::popcount(words_[0]) + std::popcount(words_[1]); }
  constexpr bool empty() const { return (words_[0] | words_[1]) == 0; }
  constexpr NumberMask operator&(const NumberMask& other) const {
    return NumberMask(words_[0] & other.words_[0], words_[1] & other.words_[1]);
  }
  constexpr NumberMask& operator|=(const NumberMask& other) {
    words_[0] |= other.words_[0];
    words_[1] |= other.words_[1];
    return *this;
  }
  // Calls f(n) for every number of the set, ascending.
  template <class F>
  void forEach(F&& f) const {
    for (unsigned w = 0; w < 2; ++w)
      for (std::uint64_t bits = words_[w]; bits != 0; bits &= bits - 1)
        f(static_cast<int>(w * 64 + static_cast<unsigned>(std::countr_zero(bits))) + 1);
  }

  constexpr NumberMask() = default;

 private:
  constexpr NumberMask(std::uint64_t low, std::uint64_t high) : words_{low, high} {}
  static constexpr std::uint64_t bit(int n) {
    return std::uint64_t{1} << (static_cast<unsigned>(n - 1) % 64);
  }
  std::array<std::uint64_t, 2> words_{};
};

// The numbers of a wheel in a draw as a set. A value outside 1..90 is no number, and a number
// a malformed archive holds twice on the wheel counts once.
inline NumberMask wheelMask(const DrawArchive& archive, int draw, int wheel) {
  NumberMask mask;
  for (const int n : archive.wheel(draw, wheel)) mask.add(n);
  return mask;
}

// The numbers of a wheel that was drawn: it holds five different numbers 1..90. A wheel not
// drawn that day (left blank, as the Nazionale before 2005) or damaged gives the empty set.
inline NumberMask drawnWheelNumbers(const DrawArchive& archive, int draw, int wheel) {
  NumberMask numbers;
  for (const int n : archive.wheel(draw, wheel)) {
    if (!isLottoNumber(n) || numbers.has(n)) return {};
    numbers.add(n);
  }
  return numbers;
}

// The five positions of a wheel in a draw, keeping only the values that count as numbers:
// a value outside 1..90, or a number repeated at a later position, reads 0.
inline std::array<int, kPositions> countedNumbers(const DrawArchive& archive, int draw, int wheel) {
  std::array<int, kPositions> numbers{};
  const auto stored = archive.wheel(draw, wheel);
  for (int k = 0; k < kPositions; ++k) {
    const int n = stored[static_cast<size_t>(k)];
    bool repeated = false;
    for (int j = 0; j < k; ++j) repeated = repeated || stored[static_cast<size_t>(j)] == n;
    numbers[static_cast<size_t>(k)] = isLottoNumber(n) && !repeated ? n : 0;
  }
  return numbers;
}

// The distinct Lotto numbers of a wheel in a draw, in position order.
struct DrawnNumbers {
  std::array<int, kPositions> numbers{};
  int size = 0;
  const int* begin() const { return numbers.data(); }
  const int* end() const { return numbers.data() + size; }
};

inline DrawnNumbers drawnNumbers(const DrawArchive& archive, int draw, int wheel) {
  DrawnNumbers drawn;
  NumberMask seen;
  for (const int n : archive.wheel(draw, wheel)) {
    if (!isLottoNumber(n) || seen.has(n)) continue;
    seen.add(n);
    drawn.numbers[static_cast<size_t>(drawn.size++)] = n;
  }
  return drawn;
}

// True when the wheel was fully drawn in the draw: five different numbers 1..90. A wheel not
// drawn yet in those years, or left without data, was not.
inline bool holdsFullDraw(const DrawArchive& archive, int draw, int wheel) {
  return !drawnWheelNumbers(archive, draw, wheel).empty();
}

// How many numbers of the set are among the drawn ones.
inline int hitCount(const DrawnNumbers& drawn, const NumberMask& set) {
  int hits = 0;
  for (const int n : drawn) hits += set.has(n) ? 1 : 0;
  return hits;
}

// How many numbers of the set came out on the wheel in the draw.
inline int hitCount(const DrawArchive& archive, int draw, int wheel, const NumberMask& set) {
  return hitCount(drawnNumbers(archive, draw, wheel), set);
}

// True when at least `sorte` numbers of the set came out together in one draw of first..last.
inline bool windowScores(const DrawArchive& archive, int wheel, int first, int last,
                         const NumberMask& set, int sorte) {
  for (int d = first; d <= last; ++d)
    if (hitCount(archive, d, wheel, set) >= sorte) return true;
  return false;
}

// Current delay of every number on the wheel: the reference draw minus the latest draw, not
// after it, holding the number; -1 for a number never drawn. One backward pass that stops
// as soon as all ninety are placed.
inline std::array<int, kHighestNumber + 1> currentDelays(const DrawArchive& archive, int wheel,
                                                         int reference) {
  std::array<int, kHighestNumber + 1> delays;
  delays.fill(-1);
  int found = 0;
  for (int d = reference; d >= 1 && found < kHighestNumber; --d) {
    for (const int n : drawnNumbers(archive, d, wheel)) {
      if (delays[static_cast<size_t>(n)] >= 0) continue;
      delays[static_cast<size_t>(n)] = reference - d;
      ++found;
    }
  }
  return delays;
}

}  // namespace quintello
