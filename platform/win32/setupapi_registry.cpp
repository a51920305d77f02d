#include "platform/win32/setupapi_registry.h"

#include <windows.h>

// Before devguid.h, so that GUID_DEVCLASS_PORTS is defined here rather than only declared.
#include <initguid.h>

#include <cfgmgr32.h>
#include <devguid.h>
#include <setupapi.h>

#include <cwchar>

#include "platform/win32/wide_text.h"

namespace userdb::win32 {
namespace {

// Far longer than any name SetupAPI or the registry keeps for a device.
constexpr DWORD kLongestName = 512;

// A buffer's text up to its first NUL, or its end when the registry left the NUL out.
std::string TextIn(const std::wstring& buffer, std::size_t characters) {
  return Utf8Text(std::wstring_view(buffer.data(), wcsnlen(buffer.data(), characters)));
}

// A text property of the device; empty when it has none.
std::string TextProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
  std::wstring text(kLongestName, L'\0');
  DWORD type = 0;
  DWORD size = 0;
  if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, property, &type, reinterpret_cast<BYTE*>(text.data()),
                                         kLongestName * sizeof(wchar_t), &size) ||
      type != REG_SZ) {
    return {};
  }
  return TextIn(text, size / sizeof(wchar_t));
}

// "COM5": SetupAPI names the port only in the device's own registry key.
std::string PortName(HDEVINFO devices, SP_DEVINFO_DATA& device) {
  const HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
  if (key == INVALID_HANDLE_VALUE) return {};
  std::wstring name(kLongestName, L'\0');
  DWORD type = 0;
  DWORD size = kLongestName * sizeof(wchar_t);
  const LONG status = RegQueryValueExW(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(name.data()), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || type != REG_SZ) return {};
  return TextIn(name, size / sizeof(wchar_t));
}

std::string InstanceId(HDEVINFO devices, SP_DEVINFO_DATA& device) {
  std::wstring id(MAX_DEVICE_ID_LEN, L'\0');
  if (!SetupDiGetDeviceInstanceIdW(devices, &device, id.data(), MAX_DEVICE_ID_LEN, nullptr)) return {};
  return TextIn(id, id.size());
}

// The first of two properties that the device has.
std::string EitherProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD first, DWORD second) {
  std::string text = TextProperty(devices, device, first);
  return text.empty() ? TextProperty(devices, device, second) : text;
}

RegisteredPort Registered(HDEVINFO devices, SP_DEVINFO_DATA& device) {
  return {PortName(devices, device), EitherProperty(devices, device, SPDRP_FRIENDLYNAME, SPDRP_DEVICEDESC),
          InstanceId(devices, device), EitherProperty(devices, device, SPDRP_SERVICE, SPDRP_DRIVER)};
}

}  // namespace

std::vector<RegisteredPort> SetupApiRegistry::Ports() const {
  const HDEVINFO devices = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (devices == INVALID_HANDLE_VALUE) return {};
  std::vector<RegisteredPort> ports;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
    ports.push_back(Registered(devices, device));
  }
  SetupDiDestroyDeviceInfoList(devices);
  return ports;
}

}  // namespace userdb::win32
