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
// Where a list looks cut off by a lull rather than ended, its end is believed only after this
// much silence: before a list's first entry, before a note whose record came, and at the end
// of the records of a reading taken again.
inline constexpr std::chrono::seconds kSuspectedEndLimit{4};

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
// entry's boundary; silence inside an entry is ridden out as long. A reading is kept only when
// its lists fit each other and nothing but a device's message follows them. One that looks cut
// off by a longer lull is taken again, more patiently, and that reading decides unless it
// differs from a first that fitted.
DownloadResult Download(DeviceLink& link, int portNumber, DeviceSeat& seat);

}  // namespace userdb
