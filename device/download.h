#pragma once
// "Load user database from device": one conversation that reads the device's unit byte,
// records and notes, then shows page 0.

#include "app/window.h"
#include "device/program_state.h"

namespace userdb {

inline constexpr std::size_t kDownloadHeaderSize = 16;
inline constexpr std::size_t kDownloadUnitOffset = 4;
inline constexpr std::size_t kNotePieceSize = 32;

// True when the whole database came in. On any failure the database, page, unit, window
// texts and buttons stay exactly as they were, so a partial image can never replace it.
bool DownloadDatabase(ProgramState& state, Window& window);

}  // namespace userdb
