#include "cli/cli_process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/test_archive.h"

extern char** environ;

namespace quintello::test {

namespace {

constexpr const char* kFolderVariable = "QUINTELLO_CARTELLA";

std::vector<std::string> childEnvironment(const std::optional<std::string>& programFolder) {
  std::vector<std::string> env;
  const std::string prefix = std::string(kFolderVariable) + "=";
  for (char** entry = environ; *entry; ++entry)
    if (std::strncmp(*entry, prefix.c_str(), prefix.size()) != 0) env.emplace_back(*entry);
  if (programFolder) env.push_back(prefix + *programFolder);
  return env;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
  std::vector<char*> out;
  for (auto& text : texts) out.push_back(text.data());
  out.push_back(nullptr);
  return out;
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

CliRun runCliProcess(const std::vector<std::string>& args,
                     const std::optional<std::string>& programFolder) {
  TempDir capture;
  const std::string outPath = capture.file("out"), errPath = capture.file("err");
  std::vector<std::string> argv{QUINTELLO_CLI_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> env = childEnvironment(programFolder);
  auto argvPointers = pointers(argv);
  auto envPointers = pointers(env);

  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0) _exit(127);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    execve(argvPointers[0], argvPointers.data(), envPointers.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  CliRun run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = readWholeFile(outPath).value_or("");
  run.err = readWholeFile(errPath).value_or("");
  return run;
}

}  // namespace quintello::test
