#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace quintello::test {

// What the program or quintello-cli does with an archive file (see bad_archives.txt).
struct Expectation {
  enum class Stage { Loads, RefusedAtOpen, RefusedAtLoad };
  Stage stage = Stage::Loads;
  std::string words;                       // refused: words the message must hold
  int draws = 0;                           // loads: how many draws
  bool completesInterruptedWrite = false;  // the file may change, and must come out whole
};

// Objects that must stay alive while the archive is used (another program's lock).
using Held = std::vector<std::shared_ptr<void>>;

// One damaged, odd or unreachable archive file; make() builds it in an empty folder, returns its
// path.
struct BadArchiveCase {
  std::string name;
  std::function<std::string(const std::string& folder, Held& held)> make;
  Expectation program;          // the program, which opens to read and write
  Expectation cli;              // quintello-cli, which only reads (either refusal stage will do)
  bool asOrdinaryUser = false;  // needs file permissions that bind (see AsOrdinaryUser)
};

inline void PrintTo(const BadArchiveCase& badCase, std::ostream* out) { *out << badCase.name; }

const std::vector<BadArchiveCase>& badArchiveCases();

// Test names may hold only letters, digits and "_".
std::string testName(const std::string& caseName);

}  // namespace quintello::test
