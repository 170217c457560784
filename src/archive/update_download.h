#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "archive/download.h"
#include "archive/update_check.h"
#include "core/program_database.h"

namespace quintello {

// Where "CONTROLLO AGGIORNAMENTI" and `quintello-cli scarica` take new draws from.
struct UpdateSource {
  enum class Kind {
    MakersServer,  // the maker's update file, kept as Estr_Agg.txt and read as it always was
    Address,       // the official archive, or any file given by address, told by its content
  };
  Kind kind = Kind::Address;
  std::string address;
};

// The official archive's address the program uses: the parameter IndirizzoArchivioUfficiale,
// or the build's address when the database has none (or there is no database).
std::string officialArchiveAddress(ProgramDatabase* db);
// The maker's server when the build names one, else the official archive at officialAddress.
UpdateSource defaultUpdateSource(const std::string& officialAddress);

// The check of the official archive covers its latest draws: from the date of its
// hundredth-last draw on.
inline constexpr size_t kOfficialCheckedDraws = 100;
// The copy of a download by address kept in the program folder (the maker's file is kept as
// kDownloadedUpdateFile).
inline constexpr std::string_view kDownloadedArchiveFile = "storico.zip";

// What a download brought.
struct FetchedUpdate {
  DownloadResult download;      // a failure ends the road here
  std::vector<UpdateRow> rows;  // the rows to check, once the file was read
  bool official = false;        // the official archive: only its latest draws are kept
};

// Downloads the source into its copy in `folder` (the limits' size cap is the source's) and
// reads it into rows. Throws UpdateFailure when the copy cannot be written or read.
FetchedUpdate fetchUpdate(const UpdateSource& source, const std::string& folder,
                          DownloadLimits limits);

// The second half of a download by address: the copy read by its content, an update file as
// it stands, the official archive's text or zip down to its latest draws. Throws UpdateFailure.
FetchedUpdate readDownloadedFile(const std::string& copy);

// The draws from the date of the count-th last draw on, in their order.
std::vector<StoredDraw> latestDraws(std::vector<StoredDraw> draws, size_t count);

}  // namespace quintello
