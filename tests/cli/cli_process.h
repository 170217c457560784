#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "archive/helpers.h"
#include "support/files.h"
#include "support/test_archive.h"

namespace quintello::test {

struct CliRun {
  int status = -1;  // exit status; -1 when the process did not exit normally
  std::string out;
  std::string err;
};

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
