#include "platform/win32/system_menu.h"

#include <array>

#include "window/control_table.h"

namespace userdb::win32 {

// The text is Chinese: the wide calls keep it whatever the system's code page.
void AppendAboutItem(HWND window, HINSTANCE resources) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  if (menu == nullptr) return;
  std::array<wchar_t, 256> text{};
  if (LoadStringW(resources, kAboutMenuStringId, text.data(), static_cast<int>(text.size())) <= 0) return;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kAboutMenuCommand, text.data());
}

}  // namespace userdb::win32
