#include "cli/archive_source.h"

#include "archive/update_file.h"
#include "core/archive_database.h"
#include "core/error.h"
#include "core/file_access.h"
#include "core/parameters.h"
#include "core/program_database.h"
#include "core/program_files.h"
#include "core/text_number.h"

namespace quintello::cli {

namespace {

void loadArchiveFile(const std::string& path, DrawArchive& archive, int firstIndex) {
  auto db = ArchiveDatabase::openForReading(path);
  NoProgress progress;
  loadArchive(db, archive, firstIndex, progress);
}

}  // namespace

ArchiveLocation locateProgramArchive(const std::optional<std::string>& archiveFile,
                                     const std::string& executableFolder) {
  ArchiveLocation location;
  const ProgramFiles files = ProgramFiles::locate(executableFolder);
  const std::string programDatabase = files.programDatabasePath();
  // Anything at the program database's place but nothing at all counts as there: a folder
  // or a path that cannot be followed is reported by the open, not silently passed over.
  const bool haveProgramDatabase = !inspectPath(programDatabase).isMissing();

  // The model archive starts where the program's parameters say, as at the program's start.
  std::string configuredArchive;
  if (haveProgramDatabase) {
    auto parameters = ProgramDatabase::open(programDatabase);
    if (const auto first = parameters.getParameter(parameter::kEstrazioneIniziale))
      location.firstIndex = leadingInteger(*first);
    if (!archiveFile) {
      configuredArchive =
          files.resolvedPath(parameters.getParameter(parameter::kPercorsoArchivio).value_or(""));
      if (configuredArchive.empty())
        throw Error("Il database del programma \"" + programDatabase +
                    "\" non indica alcun archivio delle estrazioni (PercorsoArchivio): "
                    "indicarne uno con --archivio.");
    }
  }

  if (archiveFile) {
    location.path = *archiveFile;
  } else if (haveProgramDatabase) {
    location.path = configuredArchive;
  } else if (!inspectPath(files.defaultArchivePath()).isMissing()) {
    location.path = files.defaultArchivePath();
  } else {
    const std::string draws = ProgramFiles::bundledDrawsPath(executableFolder);
    if (!inspectPath(draws).isFile())
      throw Error("Nessun archivio delle estrazioni: la cartella del programma \"" +
                  files.folder() + "\" non contiene il database del programma e il file \"" +
                  draws + "\" non esiste. Indicare un archivio con --archivio.");
    location.path = draws;
    location.drawsFile = true;
  }
  return location;
}

LoadedArchive loadProgramArchive(const std::optional<std::string>& archiveFile,
                                 const std::string& executableFolder) {
  const ArchiveLocation location = locateProgramArchive(archiveFile, executableFolder);
  LoadedArchive loaded;
  loaded.source = location.path;
  if (location.drawsFile)
    loadStoredDraws(readStoredDraws(location.path), loaded.archive, location.firstIndex);
  else
    loadArchiveFile(location.path, loaded.archive, location.firstIndex);
  return loaded;
}

}  // namespace quintello::cli
