#pragma once
// The four labels of the device's identity, as the window shows them after a connect.

#include <cstdint>
#include <string>
#include <vector>

#include "device/device_information.h"

namespace userdb {

// A packed version byte: bits 7 to 3 the major number, bits 2 to 0 the minor.
std::string VersionText(std::uint8_t packed);

struct LabelText {
  int controlId = 0;
  std::string text;
};

// The labels the information sets, in the order the window sets them: firmware, hardware and
// serial number when the DeviceInfoBlock came, the database version when its block did.
std::vector<LabelText> InformationLabels(const DeviceInfo& info);

}  // namespace userdb
