#pragma once
// "EXIT and write to  Device": sends the whole database back and reports the device's verdict.

#include <chrono>
#include <cstdint>
#include <span>

#include "app/window.h"
#include "device/program_state.h"

namespace userdb {

inline constexpr std::size_t kUploadChunkSize = 64;
inline constexpr std::size_t kUploadChunkCount = kImageSize / kUploadChunkSize;  // 576
// How long the device may take, after the last chunk, to erase its flash and confirm.
inline constexpr std::chrono::seconds kUploadAnswerLimit{30};

enum class UploadOutcome { Succeeded, ChecksumError, Failed };

std::uint8_t ImageChecksum(std::span<const std::uint8_t> image);

// One conversation that writes the image and waits for the device's verdict. Tells the
// user the outcome; never changes the database in memory.
UploadOutcome UploadDatabase(ProgramState& state, Window& window);

// Asks first; closes the window after No and after a confirmed upload. A failed upload
// keeps the window, and the user's work, so that the write can be tried again.
void ExitAndWrite(ProgramState& state, Window& window);

}  // namespace userdb
