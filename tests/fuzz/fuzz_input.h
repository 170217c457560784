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
  InputFile() : fd_(memfd_create("quintello-fuzz", 0)) {
    if (fd_ < 0) broken();
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  ~InputFile() { close(fd_); }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  const std::string& write(const uint8_t* data, size_t size) {
    if (ftruncate(fd_, 0) != 0) broken();
    for (size_t done = 0; done < size;) {
      const ssize_t wrote = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
      if (wrote <= 0) broken();
      done += static_cast<size_t>(wrote);
    }
    return path_;
  }

 private:
  int fd_;
  std::string path_;
};

}  // namespace quintello::fuzz
