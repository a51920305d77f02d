#pragma once
// Everything the program keeps for its whole run, in one object passed by reference.

#include <cstdint>
#include <optional>

#include "app/backups.h"
#include "app/page_state.h"
#include "app/point_sources.h"
#include "app/shown_page.h"
#include "app/write_journal.h"
#include "database/user_database.h"
#include "device/device_link.h"

namespace userdb {

struct ProgramState {
  explicit ProgramState(SerialPort& port) : link(port) {}

  UserDatabase database;
  // Set once a whole database has arrived (download, import, restore), even an empty one; the
  // page commands need it.
  bool loaded = false;
  PageState page;
  DeviceLink link;
  // What the page view last wrote into the window, so that a save keeps untouched values exact.
  ShownPage shown;
  // The device's serial number, once a device information block has shown it.
  std::optional<std::uint32_t> serialNumber;
  // Where every download leaves a copy of the device, and where the backup commands look; none
  // keeps no copy.
  Backups* backups = nullptr;
  // Where a write is recorded until it reads back; none records nothing.
  WriteJournal* journal = nullptr;
  // Which list each point came from; none knows of none.
  PointSources* sources = nullptr;
  // What the device gave in the last download, or was verified to hold after a write: what a
  // write would go over.
  std::optional<TransferImage> deviceImage;
};

}  // namespace userdb
