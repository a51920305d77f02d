#pragma once
// The record of a write to the device that has not been verified yet. The device erases its
// flash to take a new database, so a write that breaks off can leave it empty or half written;
// the record, made before the first byte goes out and removed only after the read-back agrees,
// lets the next connect find out and put it right.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "database/user_database.h"

namespace userdb {

struct UnfinishedWrite {
  std::optional<std::uint32_t> serialNumber;          // when the device had told it
  std::string port;                                   // "COM2", or the device path the command line named
  std::optional<std::filesystem::path> backupBefore;  // the device as it was before, when a copy was kept
  TransferImage image{};                              // what was being written
};

enum class JournalOutcome {
  Recorded,
  NoFolder,     // the environment names no data folder
  NotRecorded,  // the folder or a file could not be written
};

struct JournalResult {
  JournalOutcome outcome = JournalOutcome::NotRecorded;
  std::string message;  // why not, naming the file

  explicit operator bool() const { return outcome == JournalOutcome::Recorded; }
};

class WriteJournal {
 public:
  virtual ~WriteJournal() = default;

  // Replaces any earlier record; whole or not at all.
  virtual JournalResult Record(const UnfinishedWrite& write) = 0;
  // Nothing when no write is unfinished, or when the record cannot be read whole.
  virtual std::optional<UnfinishedWrite> Pending() const = 0;
  virtual void Clear() = 0;
};

// Whether a record was made of the device now on this port. A serial number both sides know
// decides; otherwise the port does.
bool NamesDevice(const UnfinishedWrite& write, std::optional<std::uint32_t> serialNumber, const std::string& port);

}  // namespace userdb
