// What the system tells of a serial device, read from a fake system tree (tests/data/
// fake-system): a USB adapter, a CDC-ACM device and a Bluetooth link.

#include "platform/posix/port_hardware.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

#include "platform/posix/uucp_lock.h"

namespace userdb::posix {
namespace {

const std::filesystem::path kTree = std::filesystem::path(USERDB_TEST_DATA) / "fake-system";

SystemFolders FakeFolders() { return {kTree / "sys", kTree / "dev" / "serial" / "by-id"}; }

TEST(PortHardware, AUsbAdapterHasItsStableNameIdentityAndDriver) {
  const PortHardware adapter = DescribeHardware(kTree / "dev" / "ttyUSB0", FakeFolders());
  ASSERT_TRUE(adapter.byId);
  EXPECT_EQ(adapter.byId->filename(), "usb-FTDI_FT232R_USB_UART_A9XYZ123-if00-port0");
  ASSERT_TRUE(adapter.usb);
  EXPECT_EQ(adapter.usb->vendorId, "0403");
  EXPECT_EQ(adapter.usb->productId, "6001");
  EXPECT_EQ(adapter.usb->manufacturer, "FTDI");
  EXPECT_EQ(adapter.usb->product, "FT232R USB UART");
  EXPECT_EQ(adapter.usb->serial, "A9XYZ123");
  EXPECT_EQ(adapter.driver, "ftdi_sio");
  EXPECT_FALSE(adapter.bluetoothAddress);
}

TEST(PortHardware, ACdcAcmDeviceIsFoundAboveItsInterface) {
  const PortHardware device = DescribeHardware(kTree / "dev" / "ttyACM0", FakeFolders());
  ASSERT_TRUE(device.usb);
  EXPECT_EQ(device.usb->vendorId, "2341");
  EXPECT_EQ(device.usb->product, "GPS Warner");
  EXPECT_EQ(device.driver, "cdc_acm");
  ASSERT_TRUE(device.byId);
  EXPECT_EQ(device.byId->filename(), "usb-Acme_GPS_Warner_0001-if00");
}

TEST(PortHardware, ABluetoothLinkHasItsRemoteAddressAndNoUsb) {
  const PortHardware link = DescribeHardware(kTree / "dev" / "rfcomm0", FakeFolders());
  EXPECT_EQ(link.bluetoothAddress, "00:11:22:33:44:55");
  EXPECT_FALSE(link.usb);
  EXPECT_FALSE(link.byId);
  EXPECT_EQ(link.driver, "");
}

// A link in the ports folder is followed to the device it names.
TEST(PortHardware, APathThroughLinksIsDescribedByTheDeviceItLeadsTo) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("userdb-hw-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::filesystem::create_symlink(kTree / "dev" / "ttyUSB0", folder / "com2");
  const PortHardware adapter = DescribeHardware(folder / "com2", FakeFolders());
  EXPECT_EQ(adapter.device.filename(), "ttyUSB0");
  EXPECT_TRUE(adapter.usb);
  std::filesystem::remove_all(folder);
}

TEST(PortHardware, AMissingTreeTellsNothingAndAPortHeldByALiveProcessSaysSo) {
  const std::filesystem::path locks =
      std::filesystem::temp_directory_path() / ("userdb-locks-" + std::to_string(getpid()));
  std::filesystem::create_directories(locks);
  setenv("USERDB_LOCK_DIR", locks.c_str(), 1);
  const std::filesystem::path device = kTree / "dev" / "ttyACM0";
  // Our parent lives as long as we do.
  std::ofstream(locks / LockFileName(std::filesystem::canonical(device))) << "     " << getppid() << "\n";
  const PortHardware held = DescribeHardware(device, {kTree / "nothing", kTree / "nothing"});
  EXPECT_FALSE(held.usb);
  EXPECT_FALSE(held.byId);
  EXPECT_EQ(held.heldBy, getppid());
  std::filesystem::remove_all(locks);
  unsetenv("USERDB_LOCK_DIR");
}

}  // namespace
}  // namespace userdb::posix
