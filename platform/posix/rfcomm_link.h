#pragma once
// Bluetooth serial links: a bound /dev/rfcommN opened without blocking may not be connected
// yet, and what is sent before it is lost.

#include <filesystem>
#include <optional>

namespace userdb::posix {

// N for /dev/rfcommN (the real path, symlinks followed); nothing for any other device.
std::optional<int> RfcommNumber(const std::filesystem::path& realPath);

// Whether rfcomm device N is connected; nothing when this system cannot tell.
std::optional<bool> RfcommConnected(int number);

}  // namespace userdb::posix
