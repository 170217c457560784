#include "cli/app.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "cli/archive_source.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "core/error.h"
#include "core/version.h"

namespace quintello::cli {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kProgram = "quintello-cli";

}  // namespace

std::string executableFolder(const char* argv0) {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (!error && !self.empty()) return self.parent_path().string();
  if (argv0 && *argv0) {
    const fs::path given = fs::absolute(argv0, error);
    if (!error) return given.parent_path().string();
  }
  return fs::current_path(error).string();
}

int runCli(std::span<const std::string> args, std::ostream& out, std::ostream& err,
           const std::string& executableFolder) {
  try {
    const Options options = parseOptions(args);
    switch (options.command) {
      case Options::Command::Help:
        out << usageText();
        break;
      case Options::Command::Version:
        out << kProgram << ' ' << versionNumber() << '\n';
        break;
      case Options::Command::Quadratura:
        runQuadratura(options, out);
        break;
      case Options::Command::Info:
        runInfo(options, loadProgramArchive(options.archivio, executableFolder), out);
        break;
      case Options::Command::Quintello: {
        const LoadedArchive loaded = loadProgramArchive(options.archivio, executableFolder);
        runQuintello(options, loaded.archive, out, err);
        break;
      }
      case Options::Command::Aggiorna:
        runAggiorna(options, executableFolder, out, err);
        break;
      case Options::Command::Scarica:
        runScarica(options, executableFolder, out, err);
        break;
      case Options::Command::Esporta:
        runEsporta(options, loadProgramArchive(options.archivio, executableFolder),
                   executableFolder, out);
        break;
      case Options::Command::Statistiche:
        runStatistiche(options, loadProgramArchive(options.archivio, executableFolder).archive,
                       out);
        break;
    }
    out.flush();
    if (!out) {
      err << kProgram << ": impossibile scrivere i risultati.\n";
      return kExitError;
    }
    return kExitOk;
  } catch (const UsageError& failure) {
    err << kProgram << ": " << failure.what() << '\n'
        << "Per l'elenco dei comandi e delle opzioni: " << kProgram << " --aiuto\n";
  } catch (const Error& failure) {
    err << kProgram << ": " << failure.what() << '\n';
  } catch (const std::bad_alloc&) {
    err << kProgram << ": memoria insufficiente.\n";
  } catch (const std::exception&) {
    // Every failure the user can meet arrives as Error; this is a fault of the program.
    err << kProgram << ": errore interno imprevisto. Il comando non è stato eseguito.\n";
  }
  return kExitError;
}

}  // namespace quintello::cli
