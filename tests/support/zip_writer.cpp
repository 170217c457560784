#include "support/zip_writer.h"

#include <zip.h>

namespace quintello::test {

bool writeZip(const std::string& path,
              const std::vector<std::pair<std::string, std::string>>& files, const char* password) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!archive) return false;
  for (const auto& [name, content] : files) {
    // The source is owned by the archive once added.
    const zip_int64_t index =
        name.ends_with("/")
            ? zip_dir_add(archive, name.c_str(), ZIP_FL_ENC_UTF_8)
            : zip_file_add(archive, name.c_str(),
                           zip_source_buffer(archive, content.data(), content.size(), 0),
                           ZIP_FL_ENC_UTF_8);
    if (index < 0 || (password && !name.ends_with("/") &&
                      zip_file_set_encryption(archive, static_cast<zip_uint64_t>(index),
                                              ZIP_EM_AES_256, password) != 0)) {
      zip_discard(archive);
      return false;
    }
  }
  return zip_close(archive) == 0;  // the buffers are read here, while still alive
}

}  // namespace quintello::test
