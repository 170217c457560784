#pragma once

#include "archive/update_file.h"
#include "core/draw_archive.h"

namespace quintello::bench {

// Every bundled draw in memory, read once for all the benchmarks of a program.
inline const DrawArchive& bundledArchive() {
  static const DrawArchive archive = [] {
    DrawArchive loaded;
    loadStoredDraws(readStoredDraws(QUINTELLO_BUNDLED_DRAWS), loaded);
    return loaded;
  }();
  return archive;
}

}  // namespace quintello::bench
