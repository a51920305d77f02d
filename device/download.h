#pragma once
// Reading the device's whole user database: its unit byte, records and notes.

#include <chrono>
#include <cstdint>

#include "database/user_database.h"
#include "device/device_link.h"
#include "device/device_seat.h"

namespace userdb {

inline constexpr std::size_t kDownloadHeaderSize = 16;
inline constexpr std::size_t kDownloadUnitOffset = 4;
// After a full list, bytes that still come are read up to this many to tell a device's own
// message from a shifted stream.
inline constexpr std::size_t kTrailingBytesRead = 64;
// A notes list that ends before the last point waits this much longer for more.
inline constexpr std::chrono::seconds kShortNotesGrace{2};

enum class DownloadOutcome {
  Complete,
  NotConnected,  // the port did not open or the device did not go into update mode; told
  Incomplete,    // the stream was cut short, lost or shifted: nothing of it may be kept
};

struct DownloadResult {
  DownloadOutcome outcome = DownloadOutcome::NotConnected;
  TransferImage image{};  // records, then notes; only when complete
  std::uint8_t unit = 0;
};

// A list ends after its 256th entry or once the line has been silent for kLullLimit at an
// entry's boundary; silence inside an entry is ridden out as long. Notes past the last point
// make it read the device a second time: a long lull does not come back the same way.
DownloadResult Download(DeviceLink& link, int portNumber, DeviceSeat& seat);

}  // namespace userdb
