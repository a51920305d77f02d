#pragma once
// Writing the whole database back into the device, and the device's verdict on it.

#include <chrono>
#include <cstdint>
#include <span>

#include "database/user_database.h"
#include "device/device_link.h"
#include "device/device_seat.h"

namespace userdb {

inline constexpr std::size_t kUploadChunkSize = 64;
inline constexpr std::size_t kUploadChunkCount = kImageSize / kUploadChunkSize;  // 576
// How long the device may take, after the last chunk, to erase its flash and confirm.
inline constexpr std::chrono::seconds kUploadAnswerLimit{30};

enum class UploadOutcome {
  Succeeded,      // "KT Update Over" without "Checksum Error"
  ChecksumError,  // the device refused the image
  Failed,         // no verdict: the device stopped answering, the line was lost or stalled
  NotConnected,   // the port did not open or the device did not go into update mode; told
};

std::uint8_t ImageChecksum(std::span<const std::uint8_t> image);

// One conversation that writes the image in 576 chunks, each told to the seat, and waits for
// the device's verdict.
UploadOutcome Upload(DeviceLink& link, int portNumber, const TransferImage& image, DeviceSeat& seat);

}  // namespace userdb
