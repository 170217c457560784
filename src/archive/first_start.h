#pragma once

#include <string>

#include "core/program_database.h"
#include "core/program_files.h"

namespace quintello {

// Opens the program database of the program folder. On first start (no file yet) it creates
// it, and beside it the default archive built from the bundled draws, with PercorsoArchivio
// pointing at it. When the bundled draws cannot be read, PercorsoArchivio stays empty and the
// user is asked for an archive as on any first use. Throws Error when nothing can be opened.
ProgramDatabase openProgramDatabase(const ProgramFiles& files, const std::string& bundledDrawsPath);

// Builds a new archive file from an update-form draw file, all or nothing: the archive is
// written beside its final name and renamed into place only when complete.
void createArchiveFromUpdateFile(const std::string& archivePath, const std::string& drawsPath);

}  // namespace quintello
