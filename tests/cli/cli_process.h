#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "support/files.h"
#include "support/test_archive.h"

namespace quintello::test {

// What one run of the real quintello-cli gave.
struct CliRun {
  int status = -1;  // exit status; -1 when the process did not exit normally
  std::string out;
  std::string err;
};

// A command line split at single spaces (or at separator): "a  b" holds an empty word.
inline std::vector<std::string> words(std::string_view line, char separator = ' ') {
  std::vector<std::string> out;
  for (size_t start = 0; !line.empty();) {
    const size_t end = line.find(separator, start);
    out.emplace_back(line.substr(start, end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return out;
}

// The rows of a case file under cli/cases, blank and "#" lines left out: fields split at
// tabs, "\n", "\t" and "\\" written as escapes, each "{name}" standing for values[name].
inline std::vector<std::vector<std::string>> caseRows(
    const std::string& file, const std::map<std::string, std::string>& values = {}) {
  std::vector<std::vector<std::string>> rows;
  for (const auto& line : words(readFile(QUINTELLO_TEST_SOURCE_DIR "/cli/cases/" + file), '\n')) {
    if (line.empty() || line.starts_with('#')) continue;
    auto& fields = rows.emplace_back();
    for (const auto& escaped : words(line, '\t')) {
      std::string& field = fields.emplace_back();
      for (size_t i = 0; i < escaped.size(); ++i) {
        const char c = escaped[i] == '\\' && i + 1 < escaped.size() ? escaped[++i] : '\0';
        field += c == 'n' ? '\n' : c == 't' ? '\t' : c ? c : escaped[i];
      }
      for (const auto& [name, value] : values)
        for (size_t at; (at = field.find("{" + name + "}")) != std::string::npos;)
          field.replace(at, name.size() + 2, value);
    }
  }
  return rows;
}

// quintello-cli copied beside the draws through 30/12/2025, its fixed bundled draws.
inline const std::string& frozenCli() {
  static const TempDir folder;
  static const std::string path = [] {
    std::filesystem::copy_file(QUINTELLO_CLI_PATH, folder.file("quintello-cli"));
    std::filesystem::copy_file(QUINTELLO_TEST_FROZEN_DRAWS, folder.file("estrazioni.txt"));
    return folder.file("quintello-cli");
  }();
  return path;
}

// Runs frozenCli() with QUINTELLO_CARTELLA set to programFolder; killed after a minute.
inline CliRun runCliProcess(const std::vector<std::string>& args,
                            const std::string& programFolder) {
  TempDir capture;
  const std::string outPath = capture.file("out"), errPath = capture.file("err");
  std::vector<char*> argv{const_cast<char*>(frozenCli().c_str())};
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || setenv("QUINTELLO_CARTELLA", programFolder.c_str(), 1) != 0)
      _exit(127);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    alarm(60);  // survives the exec: a run that hangs is killed
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  const bool exited = child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status);
  return {exited ? WEXITSTATUS(status) : -1, readFile(outPath), readFile(errPath)};
}

}  // namespace quintello::test
