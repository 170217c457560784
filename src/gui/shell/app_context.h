#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "core/archive_database.h"
#include "core/draw_archive.h"
#include "core/program_database.h"
#include "core/program_files.h"
#include "core/progress.h"
#include "gui/shell/dialogs.h"
#include "gui/shell/help.h"

namespace quintello {

// What the whole program shares for one run: the program and archive databases, the
// in-memory draw archive, the parameters read at start-up, the dialogs, the help and the
// main window's progress bar. Created in main() and handed to every window by reference;
// a test can build two side by side.
class AppContext {
 public:
  AppContext(ProgramFiles files, Dialogs& dialogs, std::string bundledDrawsPath);

  const ProgramFiles& files() const { return files_; }
  const std::string& bundledDrawsPath() const { return bundledDrawsPath_; }
  Dialogs& dialogs() { return dialogs_; }
  Help& help() { return help_; }
  DrawArchive& archive() { return archive_; }

  std::optional<ProgramDatabase> programDatabase;
  std::optional<ArchiveDatabase> archiveDatabase;
  std::string archivePath;      // PercorsoArchivio
  std::string internetAddress;  // IndirizzoInternet, as read at start-up
  int estrazioneIniziale = 0;   // EstrazioneIniziale

  // The main window's progress bar once it exists; nothing before.
  Progress& progress() { return progress_ ? *progress_ : noProgress_; }
  void setProgress(Progress* progress) { progress_ = progress; }

  // Ends the program: closes the databases, then calls the quit action (the application's
  // quit in the program, something observable in tests).
  void finish();
  void setQuitAction(std::function<void()> quit) { quit_ = std::move(quit); }

  // "Quintello: Versione 1.0.0"
  static QString versionCaption();

 private:
  ProgramFiles files_;
  Dialogs& dialogs_;
  std::string bundledDrawsPath_;
  Help help_;
  DrawArchive archive_;
  Progress* progress_ = nullptr;
  NoProgress noProgress_;
  std::function<void()> quit_;
};

}  // namespace quintello
