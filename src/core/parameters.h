#pragma once

#include <string_view>

// The keys of the program's parameter table ParametriProgramma (compared without regard to
// letter case).
namespace quintello::parameter {

inline constexpr std::string_view kPercorsoArchivio = "PercorsoArchivio";
inline constexpr std::string_view kEstrazioneIniziale = "EstrazioneIniziale";
inline constexpr std::string_view kIndirizzoInternet = "IndirizzoInternet";
inline constexpr std::string_view kPercorsoDatiIii = "PercorsoDati.iii";

}  // namespace quintello::parameter
