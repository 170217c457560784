#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "archive/exports.h"

namespace quintello::cli {

// "aggiorna FILE [--applica] [--corregge] [--file-aggiornamento OUT]"
struct AggiornaOptions {
  std::string file;  // an update file, the official archive's text or its zip
  bool applica = false;
  bool corregge = false;
  std::optional<std::string> fileAggiornamento;
  friend bool operator==(const AggiornaOptions&, const AggiornaOptions&) = default;
};

// "scarica [--indirizzo URL] [--applica [--corregge]] [--tempo-massimo S]"
struct ScaricaOptions {
  std::optional<std::string> indirizzo;  // else the maker's server, else the official archive
  bool applica = false;
  bool corregge = false;
  int tempoMassimo = 120;  // seconds the whole download may take
  friend bool operator==(const ScaricaOptions&, const ScaricaOptions&) = default;
};

// "esporta dati-iii|zefiral|nazionale FILE"
struct EsportaOptions {
  ExportFormat format = ExportFormat::DatiIii;
  std::string file;
  friend bool operator==(const EsportaOptions&, const EsportaOptions&) = default;
};

// The arguments after the command name, the options shared by every command (--archivio,
// --json) already taken out. Throw UsageError on anything that cannot be run.
AggiornaOptions parseAggiorna(std::span<const std::string> args);
ScaricaOptions parseScarica(std::span<const std::string> args);
EsportaOptions parseEsporta(std::span<const std::string> args);

// The name of a format on the command line ("dati-iii", "zefiral", "nazionale").
std::string_view exportFormatName(ExportFormat format);

}  // namespace quintello::cli
