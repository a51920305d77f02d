#pragma once
// The pieces of the dialogs this leaf lays out itself: a modal frame in the system's dialog
// font, labels, buttons, fields and lists, with the Win32 styles such dialogs usually have.

#include <cstdint>
#include <string>

#include "platform/win32/dialog_template.h"

namespace userdb::win32 {

NativeDialog ModalFrame(std::string caption, int width, int height);

NativeControl Label(std::string text, DialogRect rect);
// A label the program rewrites, as tall as its rectangle (it wraps).
NativeControl TextBox(int id, DialogRect rect);
NativeControl PushButton(int id, std::string text, DialogRect rect, bool isDefault);
NativeControl EditField(int id, DialogRect rect);
NativeControl DropDownList(int id, DialogRect rect);
// extraStyle: LBS_ flags beside a bordered, scrolling list that notifies its owner.
NativeControl ListBox(int id, DialogRect rect, std::uint32_t extraStyle);

}  // namespace userdb::win32
