#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quintello::test {

// What one run of the real quintello-cli gave.
struct CliRun {
  int status = -1;  // exit status; -1 when the process did not exit normally
  std::string out;
  std::string err;
};

// Runs the built quintello-cli with the arguments. programFolder, when given, becomes
// QUINTELLO_CARTELLA; otherwise the variable is removed from the child's environment.
CliRun runCliProcess(const std::vector<std::string>& args,
                     const std::optional<std::string>& programFolder);

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

}  // namespace quintello::test
