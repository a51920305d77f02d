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

TEST(PortPin, AnAdapterIsPinnedByItsStableNameAndAnEntryIsReplacedWhole) {
  const test::ScopedPortsFolder ports;
  std::string error;
  const std::optional<Pinned> pinned = PinPort(2, kTree / "dev" / "ttyUSB0", FakeFolders(), error);
  ASSERT_TRUE(pinned) << error;
  EXPECT_EQ(pinned->entry, PortsFolderEntry(2));
  EXPECT_EQ(std::filesystem::read_symlink(PortsFolderEntry(2)),
            kTree / "dev" / "serial" / "by-id" / "usb-FTDI_FT232R_USB_UART_A9XYZ123-if00-port0");
  EXPECT_EQ(PortPath(2), PortsFolderEntry(2));

  // Without a stable name (a Bluetooth link) the path itself; the old entry is replaced.
  ASSERT_TRUE(PinPort(2, kTree / "dev" / "rfcomm0", FakeFolders(), error)) << error;
  EXPECT_EQ(std::filesystem::read_symlink(PortsFolderEntry(2)), kTree / "dev" / "rfcomm0");
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(ports.Folder())) ++entries;
  EXPECT_EQ(entries, 2u);  // com2 and the lock folder: no half-made link left behind
}

TEST(PortPin, NoDeviceOrNoPortIsRefusedWithTheReason) {
  const test::ScopedPortsFolder ports;
  std::string error;
  EXPECT_FALSE(PinPort(2, kTree / "dev" / "ttyUSB9", FakeFolders(), error));
  EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
  EXPECT_FALSE(PinPort(257, kTree / "dev" / "ttyUSB0", FakeFolders(), error));
  EXPECT_NE(error.find("COM1 to COM256"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(PortsFolderEntry(2))));
}

}  // namespace
}  // namespace userdb::posix
