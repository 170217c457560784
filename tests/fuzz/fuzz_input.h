#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What every fuzz target shares. A target is one file defining
//   extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
// plus one line in tests/fuzz/CMakeLists.txt, and a few seed inputs in corpus/<target>/.
namespace quintello::fuzz {

inline std::string_view asText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A broken promise of the code under test: stops the run so the fuzzer keeps the input.
[[noreturn]] inline void broken() { __builtin_trap(); }
inline void require(bool promise) {
  if (!promise) broken();
}

// A message for the user: one line, whatever data it quotes.
inline bool isOneLine(std::string_view message) {
  for (const char c : message)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
  return true;
}

// The input as a file on a path, for readers that take a path: a file in memory, rewritten
// for each input, named by /proc/self/fd.
class InputFile {
 public:
  const std::string& write(const uint8_t* data, size_t size) {
    if (ftruncate(fd_, 0) != 0 || pwrite(fd_, data, size, 0) != static_cast<ssize_t>(size))
      broken();
    return path_;
  }

 private:
  int fd_ = memfd_create("quintello-fuzz", 0);
  std::string path_ = "/proc/self/fd/" + std::to_string(fd_);
};

}  // namespace quintello::fuzz
