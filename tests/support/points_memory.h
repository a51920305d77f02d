#pragma once
// A device holding a chosen number of points, each record and note unlike its neighbours, so
// that a block read a few places off does not pass for the right one.

#include "sim/sample_memory.h"

namespace userdb::test {

inline sim::DeviceMemory MemoryWithPoints(std::size_t count) {
  sim::DeviceMemory memory = sim::SampleMemory();
  memory.image.fill(0xFF);
  for (std::size_t k = 0; k < count; ++k) {
    auto point = memory.Point(k);
    for (std::size_t i = 0; i < point.size(); ++i) point[i] = static_cast<std::uint8_t>(k * 16 + i);
    auto note = memory.Note(k);
    for (std::size_t i = 0; i < 40; ++i) note[i] = static_cast<std::uint8_t>('A' + (k + i) % 26);
  }
  return memory;
}

}  // namespace userdb::test
