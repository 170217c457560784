#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/draw_archive.h"
#include "core/progress.h"

namespace quintello {

// The "Salvataggi" tab writes the whole in-memory archive, draws 1..N in index order, for
// other lottery programs. Only the ten classic wheels go into Dati.iii and the Zefiral file.
namespace export_text {
inline constexpr std::string_view kCartellaNonEsiste =
    "Attenzione, probabilmente la cartella di destinazione non esiste.";
inline constexpr std::string_view kTitoloAvviso = "Avviso";
}  // namespace export_text

enum class ExportFormat {
  DatiIii,    // "SALVA IN FORMATO AMBROSA 3 (Dati.iii)"
  Zefiral,    // "SALVA IN FORMATO ZEFIRAL"
  Nazionale,  // "SALVA NAZIONALE FORMATO TESTO"
};

// Dati.iii: one record of 110 bytes per draw, no header. 16-bit little-endian integers day,
// month, year (last two digits), then the 50 numbers of Bari..Venezia as two-digit text, then
// the month and year ordinals.
inline constexpr size_t kDatiIiiRecordSize = 110;
void writeDatiIii(std::ostream& out, const DrawArchive& archive, Progress& progress);

// Zefiral: one quoted line per draw ended by CR LF: the 50 numbers as two-digit text, the
// year (two digits), month and day, then the month and year ordinals with at least two
// digits each (three from the hundredth draw of a year on).
void writeZefiral(std::ostream& out, const DrawArchive& archive, Progress& progress);

// Nazionale text list: for every draw with Nazionale numbers, the draw index with five
// digits, "-" and the five numbers with two digits each, CR LF. Draws before the Nazionale
// wheel existed are left out.
void writeNazionaleText(std::ostream& out, const DrawArchive& archive, Progress& progress);

// Writes the archive to path in the format, under a temporary name renamed into place when
// complete: a failure never leaves half a file, nor spoils a file already there. Progress:
// maximum N, value i at every tenth draw. A file of `inUse` (the open archive, the program
// database), a folder, a device or a read-only file is never replaced (see PendingFile).
// Throws Error naming the file, with the reason, when it cannot be written.
void exportArchive(ExportFormat format, const DrawArchive& archive, const std::string& path,
                   Progress& progress, const std::vector<std::string>& inUse = {});

// "SALVA IN FORMATO ZEFIRAL": writes the Zefiral file at its fixed place. The folder is not
// created: when it does not exist, or the file cannot be written, throws Error whose what()
// is kCartellaNonEsiste (critical icon, title kTitoloAvviso) and nothing is written.
void exportZefiral(const DrawArchive& archive, Progress& progress);
void exportZefiral(const DrawArchive& archive, Progress& progress, const std::string& path,
                   const std::vector<std::string>& inUse = {});

// The fixed place of the Zefiral file: C:\AMBROSA3\DATI32.III on Windows, AMBROSA3/DATI32.III
// in the home folder elsewhere.
std::string zefiralPath();
// Where the hidden download keeps the official historical archive: C:\estratti.zip on
// Windows, estratti.zip in the home folder elsewhere.
std::string estrattiZipPath();

}  // namespace quintello
