#include "platform/win32/native_controls.h"

#include <windows.h>

#include <utility>

namespace userdb::win32 {
namespace {

constexpr std::uint32_t kChild = WS_CHILD | WS_VISIBLE;
constexpr std::uint32_t kInput = kChild | WS_TABSTOP;
// A static's ID when the program never addresses it.
constexpr int kUnaddressed = -1;

}  // namespace

NativeDialog ModalFrame(std::string caption, int width, int height) {
  return NativeDialog{.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                      .extendedStyle = 0,
                      .width = width,
                      .height = height,
                      .menu = 0,
                      .caption = std::move(caption),
                      .fontFace = "MS Shell Dlg",
                      .fontPointSize = 8,
                      .controls = {}};
}

NativeControl Label(std::string text, DialogRect rect) {
  return NativeControl{atom::kStatic, kChild | SS_LEFT, rect, kUnaddressed, std::move(text), 0};
}

NativeControl TextBox(int id, DialogRect rect) {
  return NativeControl{atom::kStatic, kChild | SS_LEFT | SS_NOPREFIX, rect, id, {}, 0};
}

NativeControl PushButton(int id, std::string text, DialogRect rect, bool isDefault) {
  const std::uint32_t kind = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  return NativeControl{atom::kButton, kInput | kind, rect, id, std::move(text), 0};
}

NativeControl EditField(int id, DialogRect rect) {
  return NativeControl{atom::kEdit, kInput | WS_BORDER | ES_AUTOHSCROLL, rect, id, {}, 0};
}

// A drop-down list's rectangle includes its dropped list.
NativeControl DropDownList(int id, DialogRect rect) {
  return NativeControl{atom::kComboBox, kInput | CBS_DROPDOWNLIST | WS_VSCROLL, rect, id, {}, 0};
}

NativeControl ListBox(int id, DialogRect rect, std::uint32_t extraStyle) {
  const std::uint32_t style = kInput | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | extraStyle;
  return NativeControl{atom::kListBox, style, rect, id, {}, 0};
}

}  // namespace userdb::win32
