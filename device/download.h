#pragma once
// "Load user database from device": one conversation that reads the device's unit byte,
// records and notes, then shows page 0.

#include <chrono>

#include "app/window.h"
#include "device/program_state.h"

namespace userdb {

inline constexpr std::size_t kDownloadHeaderSize = 16;
inline constexpr std::size_t kDownloadUnitOffset = 4;
// After a full list, bytes that still come are read up to this many to tell a device's own
// message from a shifted stream.
inline constexpr std::size_t kTrailingBytesRead = 64;
// A notes list that ends before the last point waits this much longer for more.
inline constexpr std::chrono::seconds kShortNotesGrace{2};

// True when the whole database came in. A list ends after its 256th entry or once the line has
// been silent for kLullLimit at an entry's boundary; silence inside an entry is ridden out as
// long. On any failure the database, page, unit, window texts and buttons stay exactly as they
// were, so a partial or shifted image can never replace it.
bool DownloadDatabase(ProgramState& state, Window& window);

}  // namespace userdb
