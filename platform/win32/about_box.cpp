#include "platform/win32/about_box.h"

#include <cstdint>
#include <vector>

#include "platform/win32/dialog_template.h"
#include "window/control_table.h"

namespace userdb::win32 {
namespace {

INT_PTR CALLBACK AboutProcedure(HWND box, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(box, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

// The icon control loads icon 128 from the module the box is created for.
void RunAboutBox(HWND owner, HINSTANCE resources) {
  static const std::vector<std::uint8_t> about = EncodeDialogTemplate(AboutBoxTemplate());
  DialogBoxIndirectParamW(resources, reinterpret_cast<LPCDLGTEMPLATEW>(about.data()), owner, AboutProcedure, 0);
}

}  // namespace userdb::win32
