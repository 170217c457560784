#pragma once

#include <ostream>
#include <string>

#include "cli/archive_source.h"
#include "cli/options.h"

namespace quintello::cli {

// "info": N, the first and last draw and the model archive range.
void runInfo(const Options& options, const LoadedArchive& loaded, std::ostream& out);
// "quadratura N1 N2 N3 N4": the twelve measures in grid order and the total sum.
void runQuadratura(const Options& options, std::ostream& out);
// "quintello": "ELENCO", the actions in order, then the grids asked for. An action the window
// would refuse silently (a full forecast list, a forecast number not in use) changes nothing
// and is noted on err.
void runQuintello(const Options& options, const DrawArchive& archive, std::ostream& out,
                  std::ostream& err);
// "aggiorna FILE": the check of the "Aggiornamenti" tab, its list of messages and, with
// --applica, the apply (the archive opened for writing only then); --file-aggiornamento
// writes the draws of FILE as an update file.
void runAggiorna(const Options& options, const std::string& executableFolder, std::ostream& out,
                 std::ostream& err);
// "scarica": the download of "CONTROLLO AGGIORNAMENTI" (its copy kept in the program folder),
// then what aggiorna does with a file; a failed download throws Error.
void runScarica(const Options& options, const std::string& executableFolder, std::ostream& out,
                std::ostream& err);
// "esporta FORMAT FILE": the export of the "Salvataggi" tab, byte for byte.
void runEsporta(const Options& options, const LoadedArchive& loaded,
                const std::string& executableFolder, std::ostream& out);
// "statistiche": frequency, delays and last appearance of the 90 numbers on a wheel or TT.
void runStatistiche(const Options& options, const DrawArchive& archive, std::ostream& out);

}  // namespace quintello::cli
