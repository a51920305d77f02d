#pragma once
// Dialog templates as the bytes of an extended Win32 template (DLGTEMPLATEEX), for
// DialogBoxIndirectParamW and CreateDialogIndirectParamW: the control table's, and the dialogs
// this leaf lays out itself in Win32 terms.

#include <cstdint>
#include <string>
#include <vector>

#include "window/control_table.h"

namespace userdb::win32 {

// Predefined window classes, named in a template by their atoms.
namespace atom {
inline constexpr std::uint16_t kButton = 0x0080;
inline constexpr std::uint16_t kEdit = 0x0081;
inline constexpr std::uint16_t kStatic = 0x0082;
inline constexpr std::uint16_t kListBox = 0x0083;
inline constexpr std::uint16_t kComboBox = 0x0085;
}  // namespace atom

struct NativeControl {
  std::uint16_t classAtom = atom::kStatic;
  std::uint32_t style = 0;  // the whole window style
  DialogRect rect;          // dialog units
  int id = 0;
  std::string text;            // UTF-8, or 8-bit Windows-1252 (wide_text.h)
  std::uint16_t resource = 0;  // not 0: the icon resource a static shows instead of a text
};

struct NativeDialog {
  std::uint32_t style = 0;
  std::uint32_t extendedStyle = 0;
  int width = 0;  // dialog units
  int height = 0;
  std::uint16_t menu = 0;  // the menu resource of the window, 0 for none
  std::string caption;
  std::string fontFace;
  int fontPointSize = 0;
  std::vector<NativeControl> controls;
};

// Heap storage is aligned well beyond the DWORD alignment the template needs.
std::vector<std::uint8_t> EncodeNativeDialog(const NativeDialog& dialog);

// menu: the menu resource the window gets, 0 for none.
std::vector<std::uint8_t> EncodeDialogTemplate(const DialogTemplate& dialog, std::uint16_t menu = 0);

}  // namespace userdb::win32
