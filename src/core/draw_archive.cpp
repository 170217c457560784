#include "core/draw_archive.h"

#include <algorithm>
#include <cassert>

#include "core/text_number.h"

namespace quintello {

DrawArchive::DrawArchive()
    : numbers_(kNumbersPerDraw, 0), dates_(1), monthOrdinals_(1, 0), yearOrdinals_(1, 0) {}

int DrawArchive::number(int draw, int wheelIndex, int position) const {
  if (!valid(draw) || wheelIndex < 0 || wheelIndex >= kWheelCount || position < 1 ||
      position > kPositions)
    return 0;
  return numbers_[static_cast<size_t>(draw * kNumbersPerDraw + wheelIndex * kPositions + position -
                                      1)];
}

std::span<const std::int16_t, kPositions> DrawArchive::wheel(int draw, int wheelIndex) const {
  if (!valid(draw) || wheelIndex < 0 || wheelIndex >= kWheelCount) draw = 0, wheelIndex = 0;
  return std::span<const std::int16_t, kPositions>(
      numbers_.data() + draw * kNumbersPerDraw + wheelIndex * kPositions, kPositions);
}

const std::string& DrawArchive::dateText(int draw) const {
  return dates_[static_cast<size_t>(valid(draw) ? draw : 0)];
}

int DrawArchive::monthOrdinal(int draw) const {
  return monthOrdinals_[static_cast<size_t>(valid(draw) ? draw : 0)];
}

int DrawArchive::yearOrdinal(int draw) const {
  return yearOrdinals_[static_cast<size_t>(valid(draw) ? draw : 0)];
}

void DrawArchive::clear() { std::fill(numbers_.begin(), numbers_.end(), std::int16_t{0}); }

void DrawArchive::ensureRoom(int draw) {
  const auto rows = static_cast<size_t>(draw) + 1;
  if (dates_.size() >= rows) return;
  numbers_.resize(rows * kNumbersPerDraw, 0);
  dates_.resize(rows);
  monthOrdinals_.resize(rows, 0);
  yearOrdinals_.resize(rows, 0);
}

void DrawArchive::loadRow(int draw, std::string_view dateText,
                          const std::array<std::string_view, kWheelCount>& wheelTexts) {
  std::array<WheelNumbers, kWheelCount> wheels;
  for (size_t w = 0; w < wheels.size(); ++w) wheels[w] = decodeWheelText(wheelTexts[w]);
  loadRow(draw, dateText, wheels);
}

void DrawArchive::loadRow(int draw, std::string_view dateText,
                          const std::array<WheelNumbers, kWheelCount>& wheels) {
  if (draw < 1) return;
  ensureRoom(draw);
  dates_[static_cast<size_t>(draw)] = dateText;
  auto* row = numbers_.data() + static_cast<size_t>(draw) * kNumbersPerDraw;
  for (size_t w = 0; w < wheels.size(); ++w)
    std::copy(wheels[w].begin(), wheels[w].end(), row + w * kPositions);
}

void DrawArchive::finishLoad(int drawCount, Ordinals ordinals) {
  count_ = std::max(drawCount, 0);
  ensureRoom(count_);
  if (ordinals == Ordinals::Keep) return;
  // Only the month (or year) number of consecutive draws is compared: "GG/MM/AAAA".
  auto number = [this](std::vector<std::int32_t>& out, size_t offset, size_t length) {
    std::string_view previous;
    for (int r = 1; r <= count_; ++r) {
      const std::string_view date = dates_[static_cast<size_t>(r)];
      const std::string_view part =
          date.size() >= offset + length ? date.substr(offset, length) : std::string_view();
      const bool same = r > 1 && leadingInteger(part) == leadingInteger(previous);
      out[static_cast<size_t>(r)] = same ? out[static_cast<size_t>(r) - 1] + 1 : 1;
      previous = part;
    }
  };
  number(monthOrdinals_, 3, 2);
  number(yearOrdinals_, 6, 4);
}

void DrawArchive::buildModel(int firstIndex) {
  model_.clear();
  if (count_ == 0) return;
  firstIndex = std::clamp(firstIndex, 1, count_);
  model_.reserve(static_cast<size_t>(count_ - firstIndex + 1));
  for (int i = firstIndex; i <= count_; ++i) model_.push_back(i);
}

}  // namespace quintello
