#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quintello::test {

// Writes a zip of (name, content) files, a name ending in "/" a folder, encrypted with a password.
bool writeZip(const std::string& path,
              const std::vector<std::pair<std::string, std::string>>& files,
              const char* password = nullptr);

}  // namespace quintello::test
