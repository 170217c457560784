#include "archive/update_file.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "support/test_archive.h"

namespace quintello {
namespace {

TEST(UpdateFile, LinesAreCutAtFixedColumns) {
  const std::string line = std::string(test::kTwoUpdateLines).substr(0, kUpdateLineLength);
  EXPECT_TRUE(hasUpdateLineForm(line));
  EXPECT_FALSE(hasUpdateLineForm(line.substr(0, 177)));
  EXPECT_FALSE(hasUpdateLineForm(line.substr(0, 176) + "PR"));
  const UpdateLine parsed = parseUpdateLine(line);
  EXPECT_EQ(parsed.dateText, "05/01/2026");
  EXPECT_EQ(parsed.wheels[0], "01-02-03-04-05");
  EXPECT_EQ(parsed.wheels[10], "51-52-53-54-55");
  const UpdateLine shortLine = parseUpdateLine("05/01/2026 01-02-03");
  EXPECT_EQ(shortLine.wheels[0], "01-02-03");
  EXPECT_EQ(shortLine.wheels[1], "");
  EXPECT_THROW(storedDrawFromLine(parseUpdateLine("5/1/2026"), 3), Error);
}

// The file the program ships, as it stands (new draws appended after 30/12/2025 included).
TEST(UpdateFile, TheBundledDrawsAreWhole) {
  const auto lines = readUpdateFileLines(QUINTELLO_TEST_BUNDLED_DRAWS);
  ASSERT_GE(lines.size(), 10779u);
  for (const auto& line : lines) ASSERT_TRUE(hasUpdateLineForm(line)) << line;
  // Bari's first draw, 02/05/1874, and the last draw of 2025.
  bool bari = false;
  for (const auto& line : lines)
    if (line.starts_with("02/05/1874")) bari = parseUpdateLine(line).wheels[0] == "69-90-03-14-25";
  EXPECT_TRUE(bari);
  EXPECT_TRUE(lines[10778].starts_with("30/12/2025"));
  EXPECT_THROW(readUpdateFileLines(QUINTELLO_TEST_BUNDLED_DRAWS, 1000), Error);
}

}  // namespace
}  // namespace quintello
