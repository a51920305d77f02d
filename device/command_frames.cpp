#include "device/command_frames.h"

#include "base/little_endian.h"

namespace userdb {

CommandFrame WriteDatabaseFrame(std::uint32_t length, std::uint8_t checksum) {
  CommandFrame frame{0x56, 0xAB, 0, 0, 0, 0, checksum};
  WriteLe32(frame, 2, length);
  return frame;
}

}  // namespace userdb
