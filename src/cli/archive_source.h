#pragma once

#include <optional>
#include <string>

#include "core/draw_archive.h"

namespace quintello::cli {

// The draws a command works on and where they came from.
struct LoadedArchive {
  DrawArchive archive;
  std::string source;  // the archive file, or the draws file read into memory
};

// Where the archive the program would use is (see loadProgramArchive).
struct ArchiveLocation {
  std::string path;        // the archive file, or the draws file when drawsFile
  bool drawsFile = false;  // the bundled draws in update form, not an archive file
  int firstIndex = 1;      // EstrazioneIniziale when the program database gives it
};
ArchiveLocation locateProgramArchive(const std::optional<std::string>& archiveFile,
                                     const std::string& executableFolder);

// Loads the archive the program would use, reading and never writing:
// - --archivio FILE: that archive file;
// - otherwise, when the program folder holds the program database: its PercorsoArchivio,
//   with the model archive from EstrazioneIniziale;
// - otherwise what the program would build on its first start: archivio.mdb in the program
//   folder when it is there, else the bundled draws file estrazioni.txt, read straight
//   into memory.
// The program folder and the bundled draws are where ProgramFiles finds them for the program.
// Throws Error with an Italian message when no archive can be read.
LoadedArchive loadProgramArchive(const std::optional<std::string>& archiveFile,
                                 const std::string& executableFolder);

}  // namespace quintello::cli
