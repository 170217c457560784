// "aggiorna": the check of the "Aggiornamenti" tab against a draws file, and on request its
// apply; "scarica": the same after the download of "CONTROLLO AGGIORNAMENTI"; "esporta": the
// three exports of the "Salvataggi" tab.

#include <filesystem>

#include "archive/draw_file.h"
#include "archive/update_check.h"
#include "archive/update_download.h"
#include "cli/commands.h"
#include "cli/json.h"
#include "core/error.h"
#include "core/file_access.h"
#include "core/program_database.h"
#include "core/program_files.h"

namespace quintello::cli {

namespace {

DrawFile readFileRows(const std::string& path) {
  try {
    DrawFile file = readDrawFile(path);
    if (file.wrongForm)
      throw Error("\"" + path + "\": " + std::string(update_text::kFormatoNonCorretto) + ".");
    return file;
  } catch (const UpdateFailure& failure) {
    throw Error(std::string(failure.what()) + " (" + failure.detail() + ")");
  }
}

// What a written file must never replace: the archive read and the program database.
std::vector<std::string> filesInUse(const std::string& archive,
                                    const std::string& executableFolder) {
  return {archive, ProgramFiles::locate(executableFolder).programDatabasePath()};
}

// The stored draws the check compares with: the archive file, or the bundled draws file.
struct Stored {
  std::optional<ArchiveDatabase> db;
  std::optional<StoredDrawList> drawsFile;
};

Stored openStored(const ArchiveLocation& location, bool writing) {
  Stored stored;
  if (location.drawsFile) {
    if (writing)
      throw Error(
          "--applica: il programma non ha ancora un archivio delle estrazioni (si userebbe "
          "il file \"" +
          location.path + "\"): indicarne uno con --archivio.");
    stored.drawsFile.emplace(readStoredDraws(location.path));
  } else {
    stored.db = writing ? ArchiveDatabase::open(location.path)
                        : ArchiveDatabase::openForReading(location.path);
  }
  return stored;
}

UpdateCheck check(std::vector<UpdateRow> rows, Stored& stored) {
  NoProgress progress;
  try {
    if (stored.db) return checkUpdateRows(std::move(rows), *stored.db, progress);
    return checkUpdateRows(std::move(rows), *stored.drawsFile, progress);
  } catch (const UpdateFailure& failure) {
    throw Error(std::string(failure.what()) + " (" + failure.detail() + ")");
  }
}

void printSection(std::ostream& out, std::string_view name, const std::vector<std::string>& lines) {
  out << "# " << name << '\n';
  for (const auto& line : lines) out << line << '\n';
}

// What aggiorna and scarica check, and how.
struct CheckRequest {
  std::string source;  // the file, or the address downloaded
  std::vector<UpdateRow> rows;
  std::vector<StoredDraw> draws;  // for --file-aggiornamento: the draws of the usable rows
  bool applica = false;
  bool corregge = false;
  std::optional<std::string> fileAggiornamento;
};

struct AggiornaReport {
  std::string archive;
  UpdateCheck check;
  std::optional<ApplyResult> applied;
  std::optional<size_t> written;  // draws written to --file-aggiornamento
};

void printText(const CheckRequest& request, const AggiornaReport& report, std::ostream& out,
               std::ostream& err) {
  if (!report.check.ran())
    err << "quintello-cli: avviso: il file \"" << request.source << "\" non contiene estrazioni.\n";
  printSection(out, "controllo", report.check.messages);
  if (report.applied) {
    printSection(out, "aggiornamento", report.applied->messages);
    if (const auto notice = applyNotice(*report.applied)) out << *notice << '\n';
  }
  if (report.written)
    out << "# file-aggiornamento\n"
        << *report.written << " estrazioni scritte in " << *request.fileAggiornamento << '\n';
}

void printJson(const CheckRequest& request, const AggiornaReport& report, std::ostream& out) {
  Json document;
  document["archivio"] = report.archive;
  document["file"] = request.source;
  document["controllo"] = report.check.messages;
  document["aggiornamento"] = nullptr;
  if (report.applied) {
    Json& applied = document["aggiornamento"];
    applied["messaggi"] = report.applied->messages;
    applied["aggiunte"] = report.applied->added;
    applied["modificate"] = report.applied->modified;
    const auto notice = applyNotice(*report.applied);
    applied["avviso"] = notice ? Json(*notice) : Json(nullptr);
  }
  document["file_aggiornamento"] = nullptr;
  if (report.written)
    document["file_aggiornamento"] = {{"file", *request.fileAggiornamento},
                                      {"estrazioni", *report.written}};
  out << jsonText(document) << '\n';
}

// The check of the rows against the program's archive, the apply and the file on request,
// and the report; throws Error when the apply failed.
void checkAndReport(const Options& options, const std::string& executableFolder,
                    CheckRequest request, std::ostream& out, std::ostream& err) {
  const ArchiveLocation location = locateProgramArchive(options.archivio, executableFolder);
  Stored stored = openStored(location, request.applica);

  AggiornaReport report;
  report.archive = location.path;
  report.check = check(std::move(request.rows), stored);
  NoProgress progress;
  if (request.applica)
    report.applied = applyUpdate(report.check, *stored.db, request.corregge, progress);
  if (request.fileAggiornamento) {
    const auto draws = withoutIncompleteDates(std::move(request.draws), report.check);
    writeUpdateFile(*request.fileAggiornamento, draws, filesInUse(location.path, executableFolder));
    report.written = draws.size();
  }

  if (options.json)
    printJson(request, report, out);
  else
    printText(request, report, out, err);
  // Nothing was stored (invalid lines, or the archive refused the write): a failed run.
  if (report.applied && report.applied->failure) throw Error(*report.applied->failure);
}

}  // namespace

void runAggiorna(const Options& options, const std::string& executableFolder, std::ostream& out,
                 std::ostream& err) {
  const AggiornaOptions& aggiorna = options.aggiorna;
  DrawFile file = readFileRows(aggiorna.file);
  checkAndReport(options, executableFolder,
                 {aggiorna.file, std::move(file.rows), std::move(file.draws), aggiorna.applica,
                  aggiorna.corregge, aggiorna.fileAggiornamento},
                 out, err);
}

// The source is --indirizzo, else the maker's server when the program names one, else the
// official archive; the copy is kept in the program folder, as the window keeps it.
void runScarica(const Options& options, const std::string& executableFolder, std::ostream& out,
                std::ostream& err) {
  const ScaricaOptions& scarica = options.scarica;
  const ProgramFiles files = ProgramFiles::locate(executableFolder);
  UpdateSource source{UpdateSource::Kind::Address, scarica.indirizzo.value_or("")};
  if (!scarica.indirizzo) {
    std::optional<ProgramDatabase> db;
    if (!inspectPath(files.programDatabasePath()).isMissing())
      db = ProgramDatabase::open(files.programDatabasePath());
    source = defaultUpdateSource(officialArchiveAddress(db ? &*db : nullptr));
  }
  std::error_code ignored;
  std::filesystem::create_directories(files.folder(), ignored);
  DownloadLimits limits;
  limits.deadline = std::chrono::seconds(scarica.tempoMassimo);
  FetchedUpdate fetched;
  try {
    fetched = fetchUpdate(source, files.folder(), limits);
  } catch (const UpdateFailure& failure) {
    throw Error(std::string(failure.what()) + " (" + failure.detail() + ")");
  }
  if (!fetched.download.ok())
    throw Error("Scaricamento da " + source.address + " non riuscito. " + fetched.download.error);
  checkAndReport(
      options, executableFolder,
      {source.address, std::move(fetched.rows), {}, scarica.applica, scarica.corregge, {}}, out,
      err);
}

void runEsporta(const Options& options, const LoadedArchive& loaded,
                const std::string& executableFolder, std::ostream& out) {
  const EsportaOptions& esporta = options.esporta;
  NoProgress progress;
  exportArchive(esporta.format, loaded.archive, esporta.file, progress,
                filesInUse(loaded.source, executableFolder));
  std::error_code error;
  const auto bytes = std::filesystem::file_size(esporta.file, error);
  const std::string_view format = exportFormatName(esporta.format);
  if (options.json) {
    Json document;
    document["archivio"] = loaded.source;
    document["formato"] = format;
    document["file"] = esporta.file;
    document["estrazioni"] = loaded.archive.count();
    document["byte"] = error ? 0 : bytes;
    out << jsonText(document) << '\n';
    return;
  }
  out << "Archivio\t" << loaded.source << '\n'
      << "Formato\t" << format << '\n'
      << "File\t" << esporta.file << '\n'
      << "Estrazioni\t" << loaded.archive.count() << '\n'
      << "Byte\t" << (error ? 0 : bytes) << '\n';
}

}  // namespace quintello::cli
