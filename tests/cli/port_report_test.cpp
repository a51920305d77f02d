// `userdb ports` as a person reads it and as a script parses it.

#include "cli/port_report.h"

#include <gtest/gtest.h>

namespace userdb::cli {
namespace {

std::vector<ListedLine> ThreeDevices() {
  LineHardware adapter;
  adapter.realDevice = "/dev/ttyUSB0";
  adapter.byId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A9XYZ123-if00-port0";
  adapter.driver = "ftdi_sio";
  adapter.usbIds = "0403:6001";
  adapter.manufacturer = "FTDI";
  adapter.product = "FT232R USB UART";
  adapter.serial = "A9XYZ123";
  LineHardware link;
  link.realDevice = "/dev/rfcomm0";
  link.bluetoothAddress = "00:11:22:33:44:55";
  link.heldBy = 4242;
  LineHardware locked;
  locked.realDevice = "/dev/ttyS0";
  locked.mayOpen = false;
  locked.group = "dialout";
  return {{2, "/home/d/.config/userdb/ports/com2", adapter}, {97, "/dev/rfcomm0", link}, {1, "/dev/ttyS0", locked}};
}

TEST(PortReport, EachPortWithWhatIsKnownOfItOnIndentedLines) {
  EXPECT_EQ(PortsText(ThreeDevices()),
            "COM2\t/home/d/.config/userdb/ports/com2\n"
            "\tis /dev/ttyUSB0\n"
            "\tstable name /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A9XYZ123-if00-port0\n"
            "\tUSB 0403:6001 FTDI FT232R USB UART, serial A9XYZ123\n"
            "\tdriver ftdi_sio\n"
            "COM97\t/dev/rfcomm0\n"
            "\tBluetooth link to 00:11:22:33:44:55\n"
            "\theld by process 4242 (a lock file)\n"
            "COM1\t/dev/ttyS0\n"
            "\tyou may not open it: join the group dialout (sudo usermod -aG dialout $USER), then log in again\n");
  // Without anything known (Windows), the line is the port and its path alone.
  EXPECT_EQ(PortsText({{5, "\\\\.\\COM5", std::nullopt}}), "COM5\t\\\\.\\COM5\n");
}

// Windows gives a Bluetooth link two ports and tells which calls the device; Linux tells the
// address of the one it has.
TEST(PortReport, ABluetoothPortSaysWhetherItIsTheOneToUseOnlyWhereTheSystemTells) {
  LineHardware outgoing;
  outgoing.realDevice = "\\\\.\\COM7";
  outgoing.friendlyName = "Standard Serial over Bluetooth link (COM7)";
  outgoing.bluetoothAddress = "00:11:22:33:44:55";
  outgoing.bluetoothOutgoing = true;
  LineHardware incoming;
  incoming.realDevice = "\\\\.\\COM8";
  incoming.bluetoothOutgoing = false;
  LineHardware rfcomm;
  rfcomm.realDevice = "/dev/rfcomm0";
  rfcomm.bluetoothAddress = "00:11:22:33:44:55";
  const std::vector<ListedLine> lines = {
      {7, "\\\\.\\COM7", outgoing}, {8, "\\\\.\\COM8", incoming}, {97, "/dev/rfcomm0", rfcomm}};
  EXPECT_EQ(PortsText(lines),
            "COM7\t\\\\.\\COM7\n"
            "\tStandard Serial over Bluetooth link (COM7)\n"
            "\tBluetooth link to 00:11:22:33:44:55, outgoing: the one to use\n"
            "COM8\t\\\\.\\COM8\n"
            "\tBluetooth, incoming: not the one to use\n"
            "COM97\t/dev/rfcomm0\n"
            "\tBluetooth link to 00:11:22:33:44:55\n");
  const std::string json = PortsJson(lines);
  EXPECT_NE(json.find("\"friendly_name\": \"Standard Serial over Bluetooth link (COM7)\", \"bluetooth_address\": "
                      "\"00:11:22:33:44:55\", \"bluetooth_outgoing\": true"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"device\": \"\\\\\\\\.\\\\COM8\", \"bluetooth_outgoing\": false"), std::string::npos) << json;
  EXPECT_NE(json.find("\"bluetooth_address\": \"00:11:22:33:44:55\", \"held\": false"), std::string::npos) << json;
}

TEST(PortReport, JsonHasOneObjectAPortWithEveryStringEscaped) {
  const std::string json = PortsJson(ThreeDevices());
  EXPECT_NE(json.find("{\"com\": 2, \"path\": \"/home/d/.config/userdb/ports/com2\", \"device\": \"/dev/ttyUSB0\", "
                      "\"by_id\": \"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A9XYZ123-if00-port0\", \"driver\": "
                      "\"ftdi_sio\", \"usb_vendor_id\": \"0403\", \"usb_product_id\": \"6001\", \"manufacturer\": "
                      "\"FTDI\", \"product\": \"FT232R USB UART\", \"serial\": \"A9XYZ123\", \"held\": false, "
                      "\"may_open\": true}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"bluetooth_address\": \"00:11:22:33:44:55\", \"held\": true, \"held_by_pid\": 4242"),
            std::string::npos);
  EXPECT_EQ(PortsJson({{5, "C:\\\"x\"\n", std::nullopt}}),
            "[\n  {\"com\": 5, \"path\": \"C:\\\\\\\"x\\\"\\u000a\"}\n]\n");
  EXPECT_EQ(PortsJson({}), "[]\n");
}

}  // namespace
}  // namespace userdb::cli
