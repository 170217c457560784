#pragma once

#include <string>
#include <string_view>

namespace quintello {

// Where the program downloads from. The hosts are set when the program is built.

// The update file on the maker's archive server, and the copy kept in the program folder.
inline constexpr std::string_view kUpdateFileServerPath =
    "/archivioambrosa/archivioambrosa2023.txt";
inline constexpr std::string_view kUpdateFileCopy = "Estr_Agg.txt";

// The update file's address on the server named by `serverAddress` (a host, or an address
// whose scheme and host are kept: "esempio.it", "https://www.esempio.it/pagina"). Plain http
// when no scheme is given. Empty when no host can be told.
std::string updateFileAddress(std::string_view serverAddress);

// The addresses of this build: the update file on the maker's server
// (QUINTELLO_INDIRIZZO_INTERNET; empty when the build names none) and the official historical
// archive of the Lotto operator (QUINTELLO_INDIRIZZO_ARCHIVIO_UFFICIALE), the default of the
// parameter IndirizzoArchivioUfficiale.
std::string builtUpdateFileAddress();
std::string builtOfficialArchiveAddress();

}  // namespace quintello
