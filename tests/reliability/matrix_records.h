#pragma once
// The fault matrix as text, to pass between processes: ctest runs each test of the matrix in a
// process of its own, each leaves what it recorded in a file, and the document is put together
// from those files instead of from a second run of every row.

#include <optional>
#include <string>
#include <string_view>

#include "tests/reliability/fault_matrix.h"

namespace userdb::test {

std::string WriteRecords(const FaultMatrix& matrix);
// Nothing for text that WriteRecords did not write.
std::optional<FaultMatrix> ReadRecords(std::string_view text);

}  // namespace userdb::test
