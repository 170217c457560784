#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quintello {

// The largest files the program fetches: the maker's update file and the operator's
// historical archive (about 2 MB today).
inline constexpr std::uint64_t kUpdateFileDownloadCap = 16 * 1024 * 1024;
inline constexpr std::uint64_t kOfficialArchiveDownloadCap = 64 * 1024 * 1024;

// How one download is bounded and watched.
struct DownloadLimits {
  std::uint64_t maxBytes = kUpdateFileDownloadCap;
  // How long the server may stay silent, before answering or between two pieces of the body.
  std::chrono::milliseconds silence{30'000};
  // How long the whole transfer may take, however steadily the bytes arrive.
  std::chrono::milliseconds deadline{120'000};
  // Told the bytes received and the size announced (0 when the server gives none); called on
  // the thread that downloads.
  std::function<void(std::uint64_t received, std::uint64_t total)> progress;
  // Set from any thread to stop the transfer (checked at least once a second).
  const std::atomic<bool>* cancel = nullptr;
};

// What a download came to. `error` is an Italian sentence for the user, empty when the body
// arrived whole.
struct DownloadResult {
  enum class Status { Completed, Failed, TimedOut, TooLarge, Cancelled };
  Status status = Status::Failed;
  std::string error;
  std::uint64_t bytes = 0;  // body bytes received
  std::string body;         // the body itself, when it was kept in memory
  bool ok() const { return status == Status::Completed; }
};

// True for an address the program may fetch or hand to the browser: http or https with a
// host.
bool isWebAddress(std::string_view address);

// The schemes a redirect may lead to: an https address never ends up on plain http.
std::string_view redirectSchemes(std::string_view address);

// Fetches one http or https address (redirects too, within the same rule) into `target`, or
// into DownloadResult::body when `target` is empty. A file is written under a temporary name
// beside the target and renamed over it only when the whole body has arrived, so a failure
// leaves the target as it was. Blocks until the transfer ends; never throws.
DownloadResult download(const std::string& address, const std::string& target,
                        const DownloadLimits& limits);

}  // namespace quintello
