#pragma once
// Where a copy of what the device held goes after every download, before anything can be
// written over it.

#include <cstdint>
#include <optional>
#include <string>

#include "database/user_database.h"

namespace userdb {

class BackupSink {
 public:
  virtual ~BackupSink() = default;

  // Keeps the image; when it cannot, what to tell the user (naming where it should have gone).
  virtual std::optional<std::string> Keep(const TransferImage& image, std::optional<std::uint32_t> serialNumber) = 0;
};

}  // namespace userdb
