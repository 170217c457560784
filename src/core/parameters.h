#pragma once

#include <string_view>

// The keys of the program's parameter table ParametriProgramma (compared without regard to
// letter case).
namespace quintello::parameter {

inline constexpr std::string_view kPercorsoArchivio = "PercorsoArchivio";
inline constexpr std::string_view kEstrazioneIniziale = "EstrazioneIniziale";
inline constexpr std::string_view kIndirizzoInternet = "IndirizzoInternet";
inline constexpr std::string_view kPercorsoDatiIii = "PercorsoDati.iii";
// The address of the Lotto operator's historical archive, the update check's source when the
// program names no maker's server.
inline constexpr std::string_view kIndirizzoArchivioUfficiale = "IndirizzoArchivioUfficiale";

}  // namespace quintello::parameter
