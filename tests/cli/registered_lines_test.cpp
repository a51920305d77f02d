// `userdb ports` on Windows, built from recorded answers of the device registry: a USB adapter,
// a Bluetooth link's pair of ports, a built-in port, a printer port, a port past COM256 and
// Wine's unnamed links.

#include "cli/registered_lines.h"

#include <gtest/gtest.h>

#include <map>

#include "cli/port_report.h"

namespace userdb::cli {
namespace {

class RecordedRegistry final : public win32::DeviceRegistry {
 public:
  explicit RecordedRegistry(std::vector<win32::RegisteredPort> ports) : ports_(std::move(ports)) {}
  std::vector<win32::RegisteredPort> Ports() const override { return ports_; }

 private:
  std::vector<win32::RegisteredPort> ports_;
};

const std::string kSerialOverBluetooth = "BTHENUM\\{00001101-0000-1000-8000-00805F9B34FB}_LOCALMFG&000";

// As SetupAPI gives them: in no particular order.
RecordedRegistry ADriversPc() {
  return RecordedRegistry({
      {"COM8", "Standard Serial over Bluetooth link (COM8)",
       kSerialOverBluetooth + "0\\7&2A1B3C4D&0&000000000000_00000000", "BTHMODEM"},
      {"COM5", "USB-SERIAL CH340 (COM5)", "USB\\VID_1A86&PID_7523\\A50285BI", "CH341SER_A64"},
      {"LPT1", "ECP Printer Port (LPT1)", "ACPI\\PNP0401\\4&1D5FE6A&0", "Parport"},
      {"COM7", "Standard Serial over Bluetooth link (COM7)",
       kSerialOverBluetooth + "2\\7&2A1B3C4D&0&001122334455_C00000000", "BTHMODEM"},
      {"COM1", "Communications Port (COM1)", "ACPI\\PNP0501\\0", "Serial"},
      {"COM3", "USB Serial Device (COM3)", "USB\\VID_2341&PID_8036&MI_00\\6&3A5C1B2&0&0000", "usbser"},
      {"COM300", "USB Serial Port (COM300)", "FTDIBUS\\VID_0403+PID_6001+A9XYZ123A\\0000", "FTSER2K"},
  });
}

// What QueryDosDevice names, and COM9, which only opens (a Wine link); COM3 is gone just now.
std::string DeviceOf(int port) {
  static const std::map<int, std::string> devices = {{1, "\\Device\\Serial0"},
                                                     {5, "\\Device\\Serial2"},
                                                     {7, "\\Device\\BthModem0"},
                                                     {8, "\\Device\\BthModem1"},
                                                     {9, "\\\\.\\COM9"}};
  const auto found = devices.find(port);
  return found == devices.end() ? std::string() : found->second;
}

TEST(RegisteredLines, EachComPortInOrderWithWhatWindowsTellsAndWhichBluetoothPortToUse) {
  EXPECT_EQ(PortsText(RegisteredLines(ADriversPc(), DeviceOf)),
            "COM1\t\\Device\\Serial0\n"
            "\tCommunications Port (COM1)\n"
            "\tdriver Serial\n"
            "COM3\tCOM3\n"
            "\tUSB Serial Device (COM3)\n"
            "\tUSB 2341:8036\n"
            "\tdriver usbser\n"
            "COM5\t\\Device\\Serial2\n"
            "\tUSB-SERIAL CH340 (COM5)\n"
            "\tUSB 1a86:7523, serial A50285BI\n"
            "\tdriver CH341SER_A64\n"
            "COM7\t\\Device\\BthModem0\n"
            "\tStandard Serial over Bluetooth link (COM7)\n"
            "\tdriver BTHMODEM\n"
            "\tBluetooth link to 00:11:22:33:44:55, outgoing: the one to use\n"
            "COM8\t\\Device\\BthModem1\n"
            "\tStandard Serial over Bluetooth link (COM8)\n"
            "\tdriver BTHMODEM\n"
            "\tBluetooth, incoming: not the one to use\n"
            "COM9\t\\\\.\\COM9\n");
}

TEST(RegisteredLines, JsonCarriesTheSameFacts) {
  const std::string json = PortsJson(RegisteredLines(ADriversPc(), DeviceOf));
  EXPECT_NE(json.find("{\"com\": 5, \"path\": \"\\\\Device\\\\Serial2\", \"device\": \"\\\\Device\\\\Serial2\", "
                      "\"friendly_name\": \"USB-SERIAL CH340 (COM5)\", \"driver\": \"CH341SER_A64\", "
                      "\"usb_vendor_id\": \"1a86\", \"usb_product_id\": \"7523\", \"manufacturer\": \"\", "
                      "\"product\": \"\", \"serial\": \"A50285BI\", \"held\": false, \"may_open\": true}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"friendly_name\": \"Standard Serial over Bluetooth link (COM7)\", \"driver\": \"BTHMODEM\", "
                      "\"bluetooth_address\": \"00:11:22:33:44:55\", \"bluetooth_outgoing\": true,"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("(COM8)\", \"driver\": \"BTHMODEM\", \"bluetooth_outgoing\": false, \"held\""), std::string::npos)
      << json;
  EXPECT_NE(json.find("{\"com\": 9, \"path\": \"\\\\\\\\.\\\\COM9\"}"), std::string::npos) << json;
  EXPECT_EQ(json.find("LPT1"), std::string::npos);
}

TEST(RegisteredLines, WithoutRegisteredPortsTheLinesAreThoseThatLeadSomewhere) {
  const std::vector<ListedLine> lines = RegisteredLines(RecordedRegistry({}), DeviceOf);
  ASSERT_EQ(lines.size(), 5u);
  for (const ListedLine& line : lines) EXPECT_FALSE(line.hardware) << line.portNumber;
  EXPECT_EQ(lines.back().portNumber, 9);
  EXPECT_TRUE(RegisteredLines(RecordedRegistry({}), [](int) { return std::string(); }).empty());
}

}  // namespace
}  // namespace userdb::cli
