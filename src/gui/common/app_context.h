#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "core/archive_database.h"
#include "core/draw_archive.h"
#include "core/program_database.h"
#include "core/program_files.h"
#include "core/progress.h"
#include "gui/common/dialogs.h"
#include "gui/common/help.h"

namespace quintello {

// What the whole program shares for one run: the program and archive databases, the
// in-memory draw archive, the parameters read at start-up, the dialogs, the help and the
// main window's progress bar. Created in main() and handed to every window by reference;
// a test can build two side by side.
class AppContext : public QObject {
  Q_OBJECT

 public:
  AppContext(ProgramFiles files, Dialogs& dialogs, std::string bundledDrawsPath);

  const ProgramFiles& files() const { return files_; }
  const std::string& bundledDrawsPath() const { return bundledDrawsPath_; }
  Dialogs& dialogs() { return dialogs_; }
  Help& help() { return help_; }
  const DrawArchive& archive() const { return archive_; }
  // Only loads write the in-memory archive: the start-up load and reloadArchive().
  DrawArchive& archiveForLoading() { return archive_; }

  // The program database, once opened at start-up; null before or after "FINE".
  ProgramDatabase* programDatabase() { return programDatabase_ ? &*programDatabase_ : nullptr; }
  void setProgramDatabase(std::optional<ProgramDatabase> database);
  // The archive database in use; null when none is open.
  ArchiveDatabase* archiveDatabase() { return archiveDatabase_ ? &*archiveDatabase_ : nullptr; }
  void setArchiveDatabase(std::optional<ArchiveDatabase> database);

  // The parameters read at start-up.
  const std::string& archivePath() const { return archivePath_; }  // PercorsoArchivio
  void setArchivePath(std::string path) { archivePath_ = std::move(path); }
  const std::string& internetAddress() const { return internetAddress_; }  // IndirizzoInternet
  void setInternetAddress(std::string address) { internetAddress_ = std::move(address); }
  int estrazioneIniziale() const { return estrazioneIniziale_; }  // EstrazioneIniziale
  void setEstrazioneIniziale(int first) { estrazioneIniziale_ = first; }

  // Reloads the in-memory archive from the archive database after a change to its draws
  // (progress on the main window's bar; the model archive becomes the whole archive), then
  // tells every window showing the archive. Throws Error when the file cannot be read.
  void reloadArchive();
  // CaricaTabellaArchivio, run when the archive window opens: numbers, dates and N again from
  // the archive database, the ordinals and the model archive as they were. When the file no
  // longer holds the draws counted at the last load, the full reload runs instead, so that
  // ordinals, model archive and every window follow the new N.
  void loadArchiveTable();

  // The main window's progress bar once it exists; nothing before.
  Progress& progress() { return progress_ ? *progress_ : noProgress_; }
  void setProgress(Progress* progress) { progress_ = progress; }

  // Ends the program: closes the databases, then calls the quit action (the application's
  // quit in the program, something observable in tests).
  void finish();
  void setQuitAction(std::function<void()> quit) { quit_ = std::move(quit); }

  // "Quintello: Versione 1.0.0"
  static QString versionCaption();

 signals:
  // The in-memory archive holds new draws (N may have changed): windows showing the archive
  // follow it.
  void archiveReloaded();

 private:
  ProgramFiles files_;
  Dialogs& dialogs_;
  std::string bundledDrawsPath_;
  Help help_;
  DrawArchive archive_;
  std::optional<ProgramDatabase> programDatabase_;
  std::optional<ArchiveDatabase> archiveDatabase_;
  std::string archivePath_;
  std::string internetAddress_;
  int estrazioneIniziale_ = 0;
  Progress* progress_ = nullptr;
  NoProgress noProgress_;
  std::function<void()> quit_;
};

}  // namespace quintello
