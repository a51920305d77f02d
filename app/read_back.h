#pragma once
// The read-back check after an upload: where the image the device gives back first differs
// from the one sent, in the words of records and notes.

#include <optional>
#include <string>

#include "database/user_database.h"

namespace userdb {

// None when the images are the same, byte for byte.
std::optional<std::string> FirstDifference(const TransferImage& sent, const TransferImage& readBack);

}  // namespace userdb
