#include "core/database_errors.h"

namespace quintello {

std::string databaseFailureReason(const sqlite::Failure& failure) {
  switch (failure.code() & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return "il file è in uso da un altro programma. Chiudere l'altro programma e riprovare.";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
    case SQLITE_RANGE:
      return "il file è danneggiato o incompleto. Usare una copia di sicurezza del file.";
    case SQLITE_FULL:
      return "il disco è pieno. Liberare spazio sul disco e riprovare.";
    case SQLITE_IOERR:
      return "si è verificato un errore di lettura o di scrittura sul disco. Controllare il "
             "disco e riprovare.";
    case SQLITE_NOMEM:
      return "la memoria non è sufficiente. Chiudere altri programmi e riprovare.";
    case SQLITE_TOOBIG:
      return "il file contiene un valore troppo grande per un archivio di Quintello.";
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return "il file non può essere modificato: controllare i permessi del file e della "
             "cartella che lo contiene.";
    case SQLITE_CANTOPEN:
      return "il file non può essere aperto: controllare i permessi del file e della cartella "
             "che lo contiene.";
    case SQLITE_CONSTRAINT:
      return "i dati non rispettano i vincoli del file (per esempio una data già presente).";
    default:
      return "errore imprevisto del database (codice " + std::to_string(failure.code()) + ").";
  }
}

}  // namespace quintello
