// What Windows' device instance IDs tell of a COM port's hardware: USB IDs and serial numbers,
// and which port of a Bluetooth pair calls the device.

#include "platform/win32/device_instance.h"

#include <gtest/gtest.h>

namespace userdb::win32 {
namespace {

TEST(DeviceInstance, UsbIdsAreReadInLowerCaseAndTheSerialOnlyWhenTheDeviceHasOne) {
  const std::optional<UsbInstance> adapter = UsbInstanceOf("USB\\VID_1A86&PID_7523\\A50285BI");
  ASSERT_TRUE(adapter);
  EXPECT_EQ(adapter->vendorId, "1a86");
  EXPECT_EQ(adapter->productId, "7523");
  EXPECT_EQ(adapter->serial, "A50285BI");
  // Windows' own instance parts: a device without a serial number, a composite device's function.
  EXPECT_EQ(UsbInstanceOf("USB\\VID_1A86&PID_7523\\5&2F5C39B&0&2")->serial, "");
  const std::optional<UsbInstance> function = UsbInstanceOf("usb\\vid_2341&pid_8036&mi_00\\6&3a5c1b2&0&0000");
  ASSERT_TRUE(function);
  EXPECT_EQ(function->vendorId, "2341");
  EXPECT_EQ(function->productId, "8036");
  EXPECT_EQ(function->serial, "");
  // FTDI's own driver parts the IDs with '+'; the serial beside them has a port letter added, so
  // it is not told as one.
  const std::optional<UsbInstance> ftdi = UsbInstanceOf("FTDIBUS\\VID_0403+PID_6001+A9XYZ123A\\0000");
  ASSERT_TRUE(ftdi);
  EXPECT_EQ(ftdi->vendorId + ":" + ftdi->productId, "0403:6001");
  EXPECT_EQ(ftdi->serial, "");
}

TEST(DeviceInstance, NoUsbIdsWhereTheIdNamesNoneOrBrokenOnes) {
  for (const char* other : {"ACPI\\PNP0501\\0",
                            "BTHENUM\\{00001101-0000-1000-8000-00805F9B34FB}_LOCALMFG&0002\\7&1&0&"
                            "001122334455_C00000000",
                            "USB\\VID_1A8&PID_7523\\A1", "USB\\VID_1A86&PID_75G3\\A1", "USB\\PID_7523\\A1",
                            "USB\\VID_1A86&PID_7523", "USB", ""}) {
    EXPECT_FALSE(UsbInstanceOf(other)) << other;
  }
}

TEST(DeviceInstance, TheOutgoingBluetoothPortCarriesTheRemoteAddressTheIncomingZeros) {
  const std::optional<BluetoothInstance> outgoing = BluetoothInstanceOf(
      "BTHENUM\\{00001101-0000-1000-8000-00805F9B34FB}_LOCALMFG&0002\\7&2A1B3C4D&0&00112233AABB_C00000000");
  ASSERT_TRUE(outgoing);
  EXPECT_TRUE(outgoing->outgoing);
  EXPECT_EQ(outgoing->remoteAddress, "00:11:22:33:AA:BB");
  const std::optional<BluetoothInstance> incoming = BluetoothInstanceOf(
      "BTHENUM\\{00001101-0000-1000-8000-00805F9B34FB}_LOCALMFG&0000\\7&2A1B3C4D&0&000000000000_00000000");
  ASSERT_TRUE(incoming);
  EXPECT_FALSE(incoming->outgoing);
  EXPECT_EQ(incoming->remoteAddress, "");
  // Newer Windows names the remote device's maker in the device part; the instance part is the same.
  EXPECT_TRUE(
      BluetoothInstanceOf(
          "bthenum\\{00001101-0000-1000-8000-00805f9b34fb}_VID&00010075_PID&0100\\8&1e1a6e4&0&E0D083E2B2A3_C00000000")
          ->outgoing);
}

TEST(DeviceInstance, NoBluetoothEndWithoutATwelveDigitAddressBeforeTheLastUnderscore) {
  for (const char* other : {"USB\\VID_1A86&PID_7523\\001122334455_C0", "BTHENUM\\{x}\\7&2A1B3C4D&0&001122334455",
                            "BTHENUM\\{x}\\7&2A1B3C4D&0&0011223344_C00000000",
                            "BTHENUM\\{x}\\7&2A1B3C4D&0&00112233445G_C00000000", "BTHENUM\\{x}"}) {
    EXPECT_FALSE(BluetoothInstanceOf(other)) << other;
  }
}

}  // namespace
}  // namespace userdb::win32
