#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quintello::test {

// Writes a zip holding the given files (name, content; a name ending in "/" is a folder), made
// with libzip as any zip tool would. False when it cannot be written.
bool writeZip(const std::string& path,
              const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace quintello::test
