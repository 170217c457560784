#include "core/wheels.h"

#include <cctype>

namespace quintello {

std::optional<int> wheelIndex(std::string_view code) {
  if (code.size() != 2) return std::nullopt;
  for (int i = 0; i < static_cast<int>(SiglaRuota.size()); ++i) {
    const auto sigla = SiglaRuota[static_cast<size_t>(i)];
    if (std::toupper(static_cast<unsigned char>(code[0])) == sigla[0] &&
        std::toupper(static_cast<unsigned char>(code[1])) == sigla[1])
      return i;
  }
  return std::nullopt;
}

}  // namespace quintello
