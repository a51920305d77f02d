#pragma once
// A device as it might come from a user's car: a few dozen points across several countries.

#include "sim/device_memory.h"

namespace userdb::sim {

// Records 0 to SamplePointCount() - 1 are filled, in kilometer mode, the rest are empty.
DeviceMemory SampleMemory();
std::size_t SamplePointCount();

}  // namespace userdb::sim
