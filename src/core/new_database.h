#pragma once

#include <functional>
#include <string>

#include "core/sqlite.h"

namespace quintello {

// Creates a new SQLite file at `path`, which must not exist yet: `fill` writes its tables and
// rows inside one transaction that also sets the schema version. A failure leaves no file
// behind and throws Error "Impossibile creare <what> "<shownPath>": <why>", where `what` names
// the file ("l'archivio") and `shownPath` is the file the user knows (the target of a pending
// file being made beside it).
sqlite::Database createDatabaseFile(const std::string& path, const std::string& shownPath,
                                    const std::string& what, int schemaVersion,
                                    const std::function<void(sqlite::Database&)>& fill);

}  // namespace quintello
