#include "platform/win32/device_instance.h"

#include <algorithm>
#include <cctype>

namespace userdb::win32 {
namespace {

constexpr std::size_t kUsbIdDigits = 4;
constexpr std::size_t kAddressDigits = 12;

// An instance ID's three parts: the enumerator, the device and the instance.
struct InstanceParts {
  std::string_view enumerator;
  std::string_view device;
  std::string_view instance;
};

// All empty for an ID without its three parts.
InstanceParts PartsOf(std::string_view instanceId) {
  const std::size_t first = instanceId.find('\\');
  if (first == std::string_view::npos) return {};
  const std::size_t second = instanceId.find('\\', first + 1);
  if (second == std::string_view::npos) return {};
  return InstanceParts{instanceId.substr(0, first), instanceId.substr(first + 1, second - first - 1),
                       instanceId.substr(second + 1)};
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Windows spells enumerators in any case.
bool SameName(std::string_view text, std::string_view name) {
  return std::ranges::equal(text, name, [](char a, char b) { return Lower(a) == Lower(b); });
}

bool HexDigits(std::string_view text, std::size_t count) {
  return text.size() == count &&
         std::ranges::all_of(text, [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::ranges::transform(lowered, lowered.begin(), Lower);
  return lowered;
}

// The four hex digits after "VID_" (or "PID_") in a device part whose fields '&' or '+' part.
std::optional<std::string> UsbId(std::string_view device, std::string_view field) {
  while (!device.empty()) {
    const std::size_t end = device.find_first_of("&+");
    const std::string_view token = device.substr(0, end);
    if (token.size() > field.size() && SameName(token.substr(0, field.size()), field)) {
      const std::string_view digits = token.substr(field.size());
      return HexDigits(digits, kUsbIdDigits) ? std::optional(Lowered(digits)) : std::nullopt;
    }
    device = end == std::string_view::npos ? std::string_view() : device.substr(end + 1);
  }
  return std::nullopt;
}

// "001122334455" as "00:11:22:33:44:55".
std::string AddressText(std::string_view digits) {
  std::string text;
  for (std::size_t i = 0; i < digits.size(); i += 2) text += (i > 0 ? ":" : "") + std::string(digits.substr(i, 2));
  return text;
}

}  // namespace

std::optional<UsbInstance> UsbInstanceOf(std::string_view instanceId) {
  const InstanceParts parts = PartsOf(instanceId);
  if (!(SameName(parts.enumerator, "USB") || SameName(parts.enumerator, "FTDIBUS"))) return std::nullopt;
  const std::optional<std::string> vendor = UsbId(parts.device, "VID_");
  const std::optional<std::string> product = UsbId(parts.device, "PID_");
  if (!vendor || !product) return std::nullopt;
  // Windows makes up an instance part with '&' in it for a device without a serial number, and
  // for each function of a composite device.
  const bool hasSerial = SameName(parts.enumerator, "USB") && !parts.instance.empty() &&
                         parts.instance.find('&') == std::string_view::npos;
  return UsbInstance{*vendor, *product, hasSerial ? std::string(parts.instance) : std::string()};
}

std::optional<BluetoothInstance> BluetoothInstanceOf(std::string_view instanceId) {
  const InstanceParts parts = PartsOf(instanceId);
  if (!SameName(parts.enumerator, "BTHENUM")) return std::nullopt;
  const std::size_t underscore = parts.instance.rfind('_');
  if (underscore == std::string_view::npos) return std::nullopt;
  const std::string_view linkPart = parts.instance.substr(0, underscore);
  const std::size_t ampersand = linkPart.rfind('&');
  const std::string_view digits = ampersand == std::string_view::npos ? linkPart : linkPart.substr(ampersand + 1);
  if (!HexDigits(digits, kAddressDigits)) return std::nullopt;
  if (digits.find_first_not_of('0') == std::string_view::npos) return BluetoothInstance{false, {}};
  return BluetoothInstance{true, AddressText(digits)};
}

}  // namespace userdb::win32
