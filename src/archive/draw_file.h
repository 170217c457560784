#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "archive/update_check.h"
#include "core/archive_database.h"

namespace quintello {

// The one reader of a draws file given to the program, by the user ("AGGIORNA DA FILE",
// `quintello-cli aggiorna`) or by a download: an update file, the official archive's text or
// its zip, told apart by content. Whatever the kind, the result is the rows of the check of
// the "Aggiornamenti" tab and the draws they stand for.

// What a draws file holds, told by its content.
enum class DrawFileKind {
  UpdateFile,    // the 178-character update lines
  OfficialText,  // the official archive's tab-separated text
  OfficialZip,   // a zip (the official storico.zip) holding that text
};

// Larger than any real draws file (about 3 MB of text since 1871); a bigger file is refused.
inline constexpr size_t kDrawFileMaxBytes = 64 * 1024 * 1024;

struct DrawFile {
  DrawFileKind kind = DrawFileKind::UpdateFile;
  // An update file whose first line is not an update line, read with FirstLine::Check:
  // nothing else is read (the tab shows kFormatoNonCorretto).
  bool wrongForm = false;
  // The rows of the check (FgImporta), invalid lines among them, in file order.
  std::vector<UpdateRow> rows;
  // The draws of the usable rows, in the order of the rows (for --file-aggiornamento).
  std::vector<StoredDraw> draws;
};

// Reads the file at `path`, opened once: it must be a regular file (a folder, a FIFO, a
// device or a socket is refused at once, never waited on) of at most kDrawFileMaxBytes.
// firstLine applies to an update file only. Throws UpdateFailure with an Italian message
// naming the file when it cannot be read or is too big (with FirstLine::Check before any step
// is named, else at kFaseElenco), or is a damaged zip (kFaseElenco).
DrawFile readDrawFile(const std::string& path, FirstLine firstLine = FirstLine::Check);

// The same for content already in memory (at most kDrawFileMaxBytes); `name` is what the
// messages call it.
DrawFile readDrawBytes(std::string_view bytes, const std::string& name,
                       FirstLine firstLine = FirstLine::Check);

}  // namespace quintello
