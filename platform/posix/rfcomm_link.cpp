#include "platform/posix/rfcomm_link.h"

#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>

namespace userdb::posix {
namespace {

#ifdef __linux__
// The kernel's Bluetooth interface, as <bluetooth/rfcomm.h> gives it, without needing BlueZ.
constexpr int kAfBluetooth = 31;
constexpr int kBtProtoRfcomm = 3;
constexpr std::uint16_t kBtConnected = 1;

// struct rfcomm_dev_info: the ioctl fills the kernel's own layout, so this one must match it.
struct RfcommDeviceInfo {
  std::int16_t id;
  std::uint32_t flags;
  std::uint16_t state;
  std::array<std::uint8_t, 6> source;
  std::array<std::uint8_t, 6> destination;
  std::uint8_t channel;
};
static_assert(sizeof(RfcommDeviceInfo) == 24);
static_assert(offsetof(RfcommDeviceInfo, state) == 8);
static_assert(offsetof(RfcommDeviceInfo, channel) == 22);

const unsigned long kGetDeviceInfo = _IOR('R', 211, int);  // RFCOMMGETDEVINFO
#endif

}  // namespace

std::optional<int> RfcommNumber(const std::filesystem::path& realPath) {
  constexpr std::string_view kPrefix = "rfcomm";
  if (realPath.parent_path() != "/dev") return std::nullopt;
  const std::string name = realPath.filename().string();
  if (!name.starts_with(kPrefix) || name.size() == kPrefix.size()) return std::nullopt;
  int number = 0;
  const char* digits = name.data() + kPrefix.size();
  const auto [end, error] = std::from_chars(digits, name.data() + name.size(), number);
  if (error != std::errc() || end != name.data() + name.size()) return std::nullopt;
  return number;
}

std::optional<bool> RfcommConnected([[maybe_unused]] int number) {
#ifdef __linux__
  const int probe = socket(kAfBluetooth, SOCK_RAW | SOCK_CLOEXEC, kBtProtoRfcomm);
  if (probe < 0) return std::nullopt;
  RfcommDeviceInfo info{};
  info.id = static_cast<std::int16_t>(number);
  const bool told = ioctl(probe, kGetDeviceInfo, &info) == 0;
  close(probe);
  if (!told) return std::nullopt;
  return info.state == kBtConnected;
#else
  return std::nullopt;
#endif
}

}  // namespace userdb::posix
