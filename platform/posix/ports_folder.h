#pragma once
// Where COM port n lives on a POSIX system: an entry comN in the ports folder, else a fixed table.

#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace userdb::posix {

inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 256;

// $USERDB_PORTS_DIR, else ~/.config/userdb/ports.
std::filesystem::path PortsFolder();

// The path of the comN entry in the ports folder (whether or not it exists).
std::filesystem::path PortsFolderEntry(int portNumber);

// COM firstPort to lastPort name prefix0 to prefix(lastPort - firstPort).
struct FixedRange {
  int firstPort;
  int lastPort;
  const char* prefix;
};

// COM1-32 -> /dev/ttyS0-31, COM33-64 -> /dev/ttyUSB0-31, COM65-96 -> /dev/ttyACM0-31,
// COM97-128 -> /dev/rfcomm0-31; COM129-256 name nothing.
std::span<const FixedRange> FixedRanges();

// The device path port n names: the ports-folder entry if there is one, else its fixed range's
// device; numbers out of range name nothing.
std::optional<std::filesystem::path> PortPath(int portNumber);

// How COM numbers name devices here, in lines for --help texts, from the same table.
const std::string& PortNamingHelp();

}  // namespace userdb::posix
