#include "support/zip_writer.h"

#include <zip.h>

namespace quintello::test {

bool writeZip(const std::string& path,
              const std::vector<std::pair<std::string, std::string>>& files) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!archive) return false;
  for (const auto& [name, content] : files) {
    const bool added =
        name.ends_with("/")
            ? zip_dir_add(archive, name.c_str(), ZIP_FL_ENC_UTF_8) >= 0
            // The source is owned by the archive once added.
            : zip_file_add(archive, name.c_str(),
                           zip_source_buffer(archive, content.data(), content.size(), 0),
                           ZIP_FL_ENC_UTF_8) >= 0;
    if (!added) {
      zip_discard(archive);
      return false;
    }
  }
  return zip_close(archive) == 0;  // the buffers are read here, while still alive
}

}  // namespace quintello::test
