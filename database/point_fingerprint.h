#pragma once
// What the driver could change of a point, reduced to one number: its position, speed,
// direction, type and note, but not the device's own bytes 13 to 15. A point that still has the
// fingerprint it came with is as its list made it; one the driver edited is the driver's own.

#include <cstddef>
#include <cstdint>

#include "database/user_database.h"

namespace userdb {

using Fingerprint = std::uint64_t;

// The record's; an empty record's too, though nothing asks for it.
Fingerprint FingerprintOf(const UserDatabase& database, std::size_t record);

}  // namespace userdb
