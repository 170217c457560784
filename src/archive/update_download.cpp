#include "archive/update_download.h"

#include <algorithm>
#include <filesystem>

#include "archive/draw_file.h"
#include "archive/server_addresses.h"
#include "core/parameters.h"

namespace quintello {

namespace {

std::string inFolder(const std::string& folder, std::string_view name) {
  return (std::filesystem::path(folder) / std::string(name)).string();
}

FetchedUpdate fetchMakersFile(const std::string& address, const std::string& folder,
                              DownloadLimits limits) {
  limits.maxBytes = kUpdateFileDownloadCap;
  FetchedUpdate fetched{download(address, {}, limits), {}, false};
  if (!fetched.download.ok()) return fetched;
  const std::string copy = inFolder(folder, kDownloadedUpdateFile);
  saveDownloadedUpdateFile(copy, fetched.download.body);
  fetched.download.body.clear();
  fetched.rows = readDrawFile(copy, FirstLine::Skip).rows;
  return fetched;
}

FetchedUpdate fetchByAddress(const std::string& address, const std::string& folder,
                             DownloadLimits limits) {
  limits.maxBytes = kOfficialArchiveDownloadCap;
  const std::string copy = inFolder(folder, kDownloadedArchiveFile);
  DownloadResult result = download(address, copy, limits);
  if (!result.ok()) return {std::move(result), {}, false};
  FetchedUpdate fetched = readDownloadedFile(copy);
  fetched.download = std::move(result);
  return fetched;
}

}  // namespace

std::string officialArchiveAddress(ProgramDatabase* db) {
  std::string address;
  if (db) try {
      address = db->getParameter(parameter::kIndirizzoArchivioUfficiale).value_or("");
    } catch (const Error&) {
      // an unreadable parameter counts as none
    }
  return address.empty() ? builtOfficialArchiveAddress() : address;
}

UpdateSource defaultUpdateSource(const std::string& officialAddress) {
  if (const std::string makers = builtUpdateFileAddress(); !makers.empty())
    return {UpdateSource::Kind::MakersServer, makers};
  return {UpdateSource::Kind::Address, officialAddress};
}

FetchedUpdate fetchUpdate(const UpdateSource& source, const std::string& folder,
                          DownloadLimits limits) {
  if (source.kind == UpdateSource::Kind::MakersServer)
    return fetchMakersFile(source.address, folder, std::move(limits));
  return fetchByAddress(source.address, folder, std::move(limits));
}

FetchedUpdate readDownloadedFile(const std::string& copy) {
  DrawFile file = readDrawFile(copy, FirstLine::Skip);
  FetchedUpdate fetched{
      {DownloadResult::Status::Completed, {}, 0, {}}, std::move(file.rows), false};
  if (file.kind == DrawFileKind::UpdateFile) return fetched;
  fetched.official = true;
  // The date of the hundredth-last draw; the lines that are no draw stay, to be listed.
  const auto latest = latestDraws(std::move(file.draws), kOfficialCheckedDraws);
  if (latest.empty()) return fetched;
  const std::string& first = latest.front().isoDate;
  std::erase_if(fetched.rows,
                [&](const UpdateRow& row) { return !row.isoDate.empty() && row.isoDate < first; });
  return fetched;
}

std::vector<StoredDraw> latestDraws(std::vector<StoredDraw> draws, size_t count) {
  std::sort(draws.begin(), draws.end(),
            [](const StoredDraw& a, const StoredDraw& b) { return a.isoDate < b.isoDate; });
  if (draws.size() > count) draws.erase(draws.begin(), draws.end() - long(count));
  return draws;
}

}  // namespace quintello
