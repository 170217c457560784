#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quintello::test {

// Writes a zip holding the given files (name, content; a name ending in "/" is a folder), made
// with libzip as any zip tool would, each file encrypted when a password is given. False when it
// cannot be written.
bool writeZip(const std::string& path,
              const std::vector<std::pair<std::string, std::string>>& files,
              const char* password = nullptr);

}  // namespace quintello::test
