#pragma once
// The one block through which every device conversation passes: outgoing texts and frames are
// built at its start and every read lands at its start.

#include <array>
#include <cstddef>
#include <cstdint>

namespace userdb {

inline constexpr std::size_t kTransferBufferSize = 2048;
using TransferBuffer = std::array<std::uint8_t, kTransferBufferSize>;

}  // namespace userdb
