#include "archive/server_addresses.h"

#include <algorithm>
#include <cctype>

namespace quintello {

namespace {

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

// A host (with an optional port) may hold letters, digits, '.', '-', ':' and brackets.
bool isHost(std::string_view host) {
  return !host.empty() && std::all_of(host.begin(), host.end(), [](unsigned char c) {
    return std::isalnum(c) || c == '.' || c == '-' || c == ':' || c == '[' || c == ']';
  });
}

}  // namespace

std::string updateFileAddress(std::string_view serverAddress) {
  std::string_view rest = trimmed(serverAddress);
  std::string scheme = "http";
  if (const auto colon = rest.find("://"); colon != std::string_view::npos) {
    scheme = lower(rest.substr(0, colon));
    rest.remove_prefix(colon + 3);
  }
  if (scheme != "http" && scheme != "https") return {};
  const std::string_view host = rest.substr(0, rest.find_first_of("/?#"));
  if (!isHost(host)) return {};
  return scheme + "://" + std::string(host) + std::string(kUpdateFileServerPath);
}

std::string builtUpdateFileAddress() { return updateFileAddress(QUINTELLO_INDIRIZZO_INTERNET); }

std::string builtOfficialArchiveAddress() { return QUINTELLO_INDIRIZZO_ARCHIVIO_UFFICIALE; }

}  // namespace quintello
