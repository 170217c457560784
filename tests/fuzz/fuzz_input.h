#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "archive/official_archive.h"
#include "core/dates.h"
#include "core/error.h"

// What every fuzz target shares (see tests/fuzz/CMakeLists.txt for adding one).
namespace quintello::fuzz {

inline std::string_view asText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A broken promise of the code under test stops the run, so that the fuzzer keeps the input.
inline void require(bool promise) {
  if (!promise) __builtin_trap();
}

// A message for the user: one line, whatever data it quotes.
inline bool isOneLine(std::string_view message) {
  for (const char c : message)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
  return true;
}

// The input as a file in memory, named by /proc/self/fd, for readers that take a path.
class InputFile {
 public:
  const std::string& write(const uint8_t* data, size_t size) {
    require(ftruncate(fd_, 0) == 0 && pwrite(fd_, data, size, 0) == static_cast<ssize_t>(size));
    return path_;
  }

 private:
  int fd_ = memfd_create("quintello-fuzz", 0);
  std::string path_ = "/proc/self/fd/" + std::to_string(fd_);
};

// A wheel as a reader of draws stores it: empty, or five numbers 01..90 "NN-..-NN" (the update
// file's groups keep the separators they had, any non-digit).
inline bool isStoredWheel(std::string_view text, bool anySeparator = false) {
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (text.empty()) return true;
  if (text.size() != 14) return false;
  for (size_t k = 0; k < 5; ++k) {
    const char tens = text[3 * k], units = text[3 * k + 1],
               separator = k < 4 ? text[3 * k + 2] : '-';
    const int number = (tens - '0') * 10 + (units - '0');
    if (!digit(tens) || !digit(units) || number < 1 || number > 90 ||
        (anySeparator ? digit(separator) : separator != '-'))
      return false;
  }
  return true;
}

// parseOfficialArchive's promises on any text.
inline void checkOfficialText(std::string_view text) {
  try {
    const OfficialArchive read = parseOfficialArchive(text);
    const auto& draws = read.draws;
    require(read.firstLines.size() == draws.size());
    for (const auto& invalid : read.invalidLines) require(isOneLine(invalid.why));
    for (size_t i = 0; i < draws.size(); ++i) {
      require(dateTextFromStored(draws[i].isoDate).has_value());
      require(i == 0 || draws[i - 1].isoDate < draws[i].isoDate);
      bool anyWheel = false;
      for (const auto& wheel : draws[i].wheels) {
        require(isStoredWheel(wheel));
        anyWheel = anyWheel || !wheel.empty();
      }
      require(anyWheel);
    }
  } catch (const Error& error) {
    require(isOneLine(error.what()));
  }
}

}  // namespace quintello::fuzz
