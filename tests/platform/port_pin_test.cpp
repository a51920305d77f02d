// Pinning a COM number to a device: by its stable name when it has one, so that a replug that
// renumbers ttyUSB devices keeps COM N on the same adapter.

#include "platform/posix/port_pin.h"

#include <gtest/gtest.h>

#include "platform/posix/ports_folder.h"
#include "scoped_ports_folder.h"

namespace userdb::posix {
namespace {

const std::filesystem::path kTree = std::filesystem::path(USERDB_TEST_DATA) / "fake-system";

SystemFolders FakeFolders() { return {kTree / "sys", kTree / "dev" / "serial" / "by-id"}; }

std::size_t EntriesIn(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(PortPin, AnAdapterIsPinnedByItsStableNameAndAnEntryIsReplacedWhole) {
  const test::ScopedPortsFolder ports;
  const PinPortResult pinned = PinPort(2, kTree / "dev" / "ttyUSB0", FakeFolders());
  ASSERT_TRUE(pinned) << pinned.message;
  EXPECT_EQ(pinned.pinned.entry, PortsFolderEntry(2));
  EXPECT_EQ(std::filesystem::read_symlink(PortsFolderEntry(2)),
            kTree / "dev" / "serial" / "by-id" / "usb-FTDI_FT232R_USB_UART_A9XYZ123-if00-port0");
  EXPECT_EQ(PortPath(2), PortsFolderEntry(2));

  // Without a stable name (a Bluetooth link) the path itself; the old entry is replaced.
  const PinPortResult again = PinPort(2, kTree / "dev" / "rfcomm0", FakeFolders());
  ASSERT_TRUE(again) << again.message;
  EXPECT_EQ(std::filesystem::read_symlink(PortsFolderEntry(2)), kTree / "dev" / "rfcomm0");
  EXPECT_EQ(EntriesIn(ports.Folder()), 2u);  // com2 and the lock folder: no half-made link left behind
}

TEST(PortPin, NoDeviceOrNoPortIsRefusedWithTheReason) {
  const test::ScopedPortsFolder ports;
  const PinPortResult unplugged = PinPort(2, kTree / "dev" / "ttyUSB9", FakeFolders());
  EXPECT_EQ(unplugged.outcome, PinPortOutcome::NoSuchDevice);
  EXPECT_NE(unplugged.message.find("does not exist"), std::string::npos) << unplugged.message;
  const PinPortResult beyond = PinPort(257, kTree / "dev" / "ttyUSB0", FakeFolders());
  EXPECT_EQ(beyond.outcome, PinPortOutcome::NotAPort);
  EXPECT_NE(beyond.message.find("COM1 to COM256"), std::string::npos) << beyond.message;
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(PortsFolderEntry(2))));
}

TEST(PortPin, AnEntryThatCannotBeReplacedIsRefusedWithTheSystemsWords) {
  const test::ScopedPortsFolder ports;
  std::filesystem::create_directories(PortsFolderEntry(2) / "inside");
  const PinPortResult pinned = PinPort(2, kTree / "dev" / "ttyUSB0", FakeFolders());
  EXPECT_EQ(pinned.outcome, PinPortOutcome::CannotWrite);
  EXPECT_EQ(pinned.message.find("cannot write " + PortsFolderEntry(2).string() + ": "), 0u) << pinned.message;
  EXPECT_TRUE(std::filesystem::is_directory(PortsFolderEntry(2) / "inside"));
  EXPECT_EQ(EntriesIn(ports.Folder()), 2u);  // com2 and the lock folder: the new link did not stay
}

}  // namespace
}  // namespace userdb::posix
