#include "support/test_archive.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "core/dates.h"

namespace quintello::test {

namespace {

std::array<WheelNumbers, kWheelCount> wheelsOf(const TestDraw& draw) {
  std::array<WheelNumbers, kWheelCount> wheels{};
  for (const auto& [code, numbers] : draw.wheels) {
    const auto index = wheelIndex(code);
    if (!index || *index >= kWheelCount) throw std::invalid_argument("wheel code " + code);
    wheels[static_cast<size_t>(*index)] = numbers;
  }
  return wheels;
}

}  // namespace

DrawArchive makeArchive(const std::vector<TestDraw>& draws, int firstIndex) {
  DrawArchive archive;
  for (size_t i = 0; i < draws.size(); ++i)
    archive.loadRow(static_cast<int>(i) + 1, draws[i].date, wheelsOf(draws[i]));
  archive.finishLoad(static_cast<int>(draws.size()));
  archive.buildModel(firstIndex);
  return archive;
}

std::vector<TestDraw> fiveDraws() {
  return {{"25/11/2025", {{"BA", {1, 2, 3, 4, 5}}}},
          {"02/12/2025", {{"BA", {10, 20, 30, 40, 50}}}},
          {"04/12/2025", {{"CA", {11, 22, 33, 44, 55}}}},
          {"05/12/2025", {{"BA", {6, 16, 26, 36, 46}}, {"NZ", {90, 81, 72, 63, 54}}}},
          {"09/12/2025", {{"RO", {7, 17, 27, 37, 47}}}}};
}

std::vector<TestDraw> weeklyDraws(int count) {
  using namespace std::chrono;
  std::vector<TestDraw> draws;
  sys_days day = year(2000) / January / 1;
  for (int i = 1; i <= count; ++i, day += days(7)) {
    const year_month_day ymd(day);
    char date[16];
    std::snprintf(date, sizeof date, "%02u/%02u/%04d", unsigned(ymd.day()), unsigned(ymd.month()),
                  int(ymd.year()));
    TestDraw& draw = draws.emplace_back(TestDraw{date, {}});
    for (int w = 0; w < kWheelCount; ++w) {
      WheelNumbers numbers{};
      for (int k = 0; k < kPositions; ++k)
        numbers[static_cast<size_t>(k)] =
            static_cast<std::int16_t>((i * 7 + w * 13 + k * 17) % 90 + 1);
      draw.wheels.emplace_back(std::string(SiglaRuota[static_cast<size_t>(w)]), numbers);
    }
  }
  return draws;
}

std::vector<StoredDraw> storedDraws(const std::vector<TestDraw>& draws) {
  std::vector<StoredDraw> stored;
  for (const auto& draw : draws) {
    const auto iso = isoFromDateText(draw.date);
    if (!iso) throw std::invalid_argument("date " + draw.date);
    StoredDraw row{*iso, {}};
    const auto wheels = wheelsOf(draw);
    for (size_t w = 0; w < wheels.size(); ++w) row.wheels[w] = encodeWheelText(wheels[w]);
    stored.push_back(std::move(row));
  }
  return stored;
}

void writeArchiveFile(const std::string& path, const std::vector<TestDraw>& draws) {
  ArchiveDatabase::create(path).insertDraws(storedDraws(draws));
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quintello-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace quintello::test
