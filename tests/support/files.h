#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quintello::test {

// The whole content of a file; empty when it cannot be read.
std::string readFile(const std::string& path);

void writeFile(const std::string& path, std::string_view bytes);

// Every committed row of an archive's draw table in date order, "date|Ba|...|Nz".
std::vector<std::string> storedRows(const std::string& archivePath);

}  // namespace quintello::test
