#pragma once

#include <ostream>
#include <span>
#include <string>

namespace quintello::cli {

// Exit statuses of quintello-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 2;  // refused command line, unreadable archive, any failure

// Runs one command line (the arguments after the program name): results to out, messages
// to err. executableFolder is where the program database and the bundled draws are looked
// for (QUINTELLO_CARTELLA overrides the former). Never throws.
int runCli(std::span<const std::string> args, std::ostream& out, std::ostream& err,
           const std::string& executableFolder);

// The folder of the running executable, from the system or else from argv[0].
std::string executableFolder(const char* argv0);

}  // namespace quintello::cli
