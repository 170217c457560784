#pragma once

#include <string>

#include "core/sqlite.h"

namespace quintello {

// Why an SQLite call failed, as an Italian sentence for the user that ends with a full stop
// and, where there is one, says what to do: a file in use by another program, a damaged
// file, a full disk, a disk error, a value too large. SQLite's own English text is never
// shown. Failures whose cause depends on what the caller was doing (opening read-only, a
// file that cannot be opened) get a general sentence that the caller may improve on.
std::string databaseFailureReason(const sqlite::Failure& failure);

}  // namespace quintello
