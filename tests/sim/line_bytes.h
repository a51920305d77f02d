#pragma once
// Byte-level helpers shared by the simulator's tests.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "sim/transmitter.h"

namespace userdb::sim::test {

using ByteVector = std::vector<std::uint8_t>;

// A line text with its zero byte, written out here as the tests expect it on the line.
inline ByteVector Text(std::string_view characters) {
  ByteVector bytes(characters.begin(), characters.end());
  bytes.push_back(0);
  return bytes;
}

inline ByteVector Concat(std::initializer_list<ByteVector> parts) {
  ByteVector joined;
  for (const ByteVector& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

inline ByteVector Values(const std::vector<TimedByte>& timed) {
  ByteVector values;
  for (const TimedByte& byte : timed) values.push_back(byte.value);
  return values;
}

inline ByteVector Frame(std::uint8_t code) { return {code, static_cast<std::uint8_t>(code + 0x55), 0, 0, 0, 0, 0}; }

inline ByteVector WriteDatabaseFrame(std::uint32_t length, std::uint8_t checksum) {
  return {0x56,
          0xAB,
          static_cast<std::uint8_t>(length),
          static_cast<std::uint8_t>(length >> 8),
          static_cast<std::uint8_t>(length >> 16),
          static_cast<std::uint8_t>(length >> 24),
          checksum};
}

inline const ByteVector kRequest = Text("K'T Vardenholmics");
inline const ByteVector kExit = Text("KT AP-Exit");
inline const ByteVector kReadRecords = Frame(0x59);
inline const ByteVector kReadNotes = Frame(0x5A);
inline const ByteVector kReadInfo = Frame(0x5B);

}  // namespace userdb::sim::test
