#include <iostream>
#include <string>
#include <vector>

#include "cli/app.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return quintello::cli::runCli(args, std::cout, std::cerr,
                                quintello::cli::executableFolder(argc > 0 ? argv[0] : nullptr));
}
