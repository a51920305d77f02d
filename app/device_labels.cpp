#include "app/device_labels.h"

#include "window/control_ids.h"

namespace userdb {

std::string VersionText(std::uint8_t packed) { return std::to_string(packed >> 3) + "." + std::to_string(packed & 7); }

std::vector<LabelText> InformationLabels(const DeviceInfo& info) {
  std::vector<LabelText> labels;
  if (info.identity) {
    labels.push_back({ids::kFirmwareVersionLabel, "Firmware Version : " + VersionText(info.identity->firmware)});
    labels.push_back({ids::kHardwareVersionLabel, "Hardware Version : " + VersionText(info.identity->hardware)});
    labels.push_back({ids::kSerialNumberLabel, "Serial Number : " + std::to_string(info.identity->serialNumber)});
  }
  if (info.databaseVersion)
    labels.push_back({ids::kDatabaseVersionLabel, "Database Version :" + *info.databaseVersion});
  return labels;
}

}  // namespace userdb
