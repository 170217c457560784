#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace quintello::test {

// What the program or quintello-cli does with an archive file.
struct Expectation {
  enum class Stage { Loads, RefusedAtOpen, RefusedAtLoad };
  Stage stage = Stage::Loads;
  std::string words;  // refused: words the message must hold
  int draws = 0;      // loads: how many draws
  // The open completes a write that an earlier run left half done (SQLite's journal), so
  // the file may change; then it must come out whole.
  bool completesInterruptedWrite = false;
};

// Objects that must stay alive while the archive is used (another program's lock).
using Held = std::vector<std::shared_ptr<void>>;

// One archive file that is damaged, odd or out of reach, and how it must be met. make()
// builds it inside an empty folder and returns the path to give as the archive.
struct BadArchiveCase {
  std::string name;
  std::function<std::string(const std::string& folder, Held& held)> make;
  Expectation program;          // the program, which opens to read and write
  Expectation cli;              // quintello-cli, which only reads (either refusal stage will do)
  bool asOrdinaryUser = false;  // needs file permissions that bind (see AsOrdinaryUser)
};

inline void PrintTo(const BadArchiveCase& badCase, std::ostream* out) { *out << badCase.name; }

// The cases of bad_archives.txt: truncated files, flipped bits, text, empty files, folders,
// locked files, missing table or columns, odd values and dates, link loops, names too long,
// closed folders, views, interrupted writes, write-ahead logs, unreadable files.
const std::vector<BadArchiveCase>& badArchiveCases();

// Test names may hold only letters, digits and "_".
std::string testName(const std::string& caseName);

}  // namespace quintello::test
