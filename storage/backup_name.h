#pragma once
// The names of backup files: "userdb-YYYYMMDD-HHMMSS[-SNserial][-n][-before-write].bin", so that
// they sort by the moment they were taken and tell the device, and whether a write followed,
// without being opened.

#include <compare>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace userdb::storage {

struct BackupName {
  std::string date;  // YYYYMMDD
  std::string time;  // HHMMSS
  std::optional<std::uint32_t> serialNumber;
  unsigned sequence = 1;  // the n-th backup taken in the same second
  bool beforeWrite = false;

  std::string FileName() const;
  // "2026-12-09 01:02:03".
  std::string Moment() const;
  // Earlier moments first; within a second, in the order taken.
  std::strong_ordering operator<=>(const BackupName& other) const;
  bool operator==(const BackupName& other) const = default;
};

// The name for a backup taken at this local moment.
BackupName NameFor(std::time_t moment, std::optional<std::uint32_t> serialNumber);

// Nothing for a file name that is not a backup's.
std::optional<BackupName> ParseBackupName(std::string_view fileName);

}  // namespace userdb::storage
