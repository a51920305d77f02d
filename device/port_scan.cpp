#include "device/port_scan.h"

#include <algorithm>
#include <array>

#include "device/line_texts.h"

namespace userdb {
namespace {

bool BannerComesOnPort(DeviceLink& link, int portNumber) {
  if (!link.channel.OpenPortNumber(portNumber)) return false;
  std::array<std::uint8_t, line::kDeviceBanner.size()> received{};
  const std::size_t count = link.channel.ReadBlock(received);
  link.channel.ClosePort();
  return ContainsBanner(std::span(received).first(count));
}

}  // namespace

bool ContainsBanner(std::span<const std::uint8_t> received) {
  const auto beforeZero = std::span(received.begin(), std::find(received.begin(), received.end(), 0));
  const auto banner = std::span(line::kDeviceBanner).first(line::kDeviceBanner.size() - 1);
  return std::search(beforeZero.begin(), beforeZero.end(), banner.begin(), banner.end()) != beforeZero.end();
}

std::optional<int> FindDevicePort(DeviceLink& link) {
  for (int portNumber = kFirstScannedPort; portNumber <= kLastScannedPort; ++portNumber) {
    if (BannerComesOnPort(link, portNumber)) return portNumber;
  }
  return std::nullopt;
}

}  // namespace userdb
