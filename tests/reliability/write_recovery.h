#pragma once
// What the next "Load user database from device" makes of an upload that failed, with the
// device healthy again: the driver's points must come back with one click at most.

#include <string>
#include <vector>

#include "tests/reliability/paced_line.h"

namespace userdb::test {

// The line must keep its user files from before the upload. Holds the device to the points
// from before, or to the upload when it had stored them after all; says which, and how.
std::string PutRightOnNextLoad(PacedLine& line, const std::vector<std::uint8_t>& before, const TransferImage& sent);

}  // namespace userdb::test
