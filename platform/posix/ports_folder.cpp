#include "platform/posix/ports_folder.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace userdb::posix {
namespace {

constexpr FixedRange kFixedRanges[] = {
    {1, 32, "/dev/ttyS"}, {33, 64, "/dev/ttyUSB"}, {65, 96, "/dev/ttyACM"}, {97, 128, "/dev/rfcomm"}};
constexpr std::size_t kHelpWidth = 90;

// "COM33-64 /dev/ttyUSB0-31"
std::string RangeText(const FixedRange& range) {
  return "COM" + std::to_string(range.firstPort) + "-" + std::to_string(range.lastPort) + " " + range.prefix + "0-" +
         std::to_string(range.lastPort - range.firstPort);
}

// Lines of at most kHelpWidth columns, broken between pieces, never inside one.
std::string Wrapped(const std::vector<std::string>& pieces) {
  std::string lines;
  std::size_t lineLength = 0;
  for (const std::string& piece : pieces) {
    if (lineLength > 0 && lineLength + 1 + piece.size() > kHelpWidth) {
      lines += '\n';
      lineLength = 0;
    }
    if (lineLength > 0) {
      lines += ' ';
      ++lineLength;
    }
    lines += piece;
    lineLength += piece.size();
  }
  return lines + '\n';
}

}  // namespace

std::span<const FixedRange> FixedRanges() { return kFixedRanges; }

std::filesystem::path PortsFolder() {
  if (const char* folder = std::getenv("USERDB_PORTS_DIR"); folder != nullptr && *folder != '\0') {
    return folder;
  }
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home != nullptr ? home : ".") / ".config" / "userdb" / "ports";
}

std::filesystem::path PortsFolderEntry(int portNumber) { return PortsFolder() / ("com" + std::to_string(portNumber)); }

std::optional<std::filesystem::path> PortPath(int portNumber) {
  if (portNumber < kFirstPort || portNumber > kLastPort) return std::nullopt;
  std::error_code error;
  const std::filesystem::path entry = PortsFolderEntry(portNumber);
  if (std::filesystem::exists(std::filesystem::symlink_status(entry, error))) return entry;
  for (const FixedRange& range : kFixedRanges) {
    if (portNumber >= range.firstPort && portNumber <= range.lastPort) {
      return std::string(range.prefix) + std::to_string(portNumber - range.firstPort);
    }
  }
  return std::nullopt;
}

const std::string& PortNamingHelp() {
  static const std::string help = [] {
    std::vector<std::string> pieces;
    for (const char* word : {"COM", "n", "is", "the", "entry", "comN", "in", "$USERDB_PORTS_DIR", "(default",
                             "~/.config/userdb/ports)", "if", "there", "is", "one,", "else"}) {
      pieces.emplace_back(word);
    }
    for (const FixedRange& range : kFixedRanges) pieces.push_back(RangeText(range) + ",");
    pieces.back().back() = '.';
    return Wrapped(pieces);
  }();
  return help;
}

}  // namespace userdb::posix
