#pragma once
// A user's PORT argument: "COMn" or "n" for a COM number, or a device path.

#include <filesystem>
#include <optional>
#include <string_view>
#include <variant>

namespace userdb::posix {

// A COM port number (1 to 256), or a device to open by path.
using PortArgument = std::variant<int, std::filesystem::path>;

// "COM5", "com005" and "5" name port 5; anything with a '/' is a path. Nothing else is accepted,
// nor a number outside 1 to 256.
std::optional<PortArgument> ParsePortArgument(std::string_view text);

}  // namespace userdb::posix
