#include "core/one_line_text.h"

namespace quintello {

std::string oneLineText(std::string_view text) {
  std::string line(text);
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  return line;
}

std::string shortOneLineText(std::string_view text, size_t maxBytes) {
  if (text.size() <= maxBytes) return oneLineText(text);
  size_t cut = maxBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return oneLineText(text.substr(0, cut)) + "...";
}

}  // namespace quintello
