#pragma once
// An accessible object that says a name or a description of its own, and leaves everything
// else to the system's standard object for the window: Wine's oleacc has no dynamic
// annotation (IAccPropServices answers E_NOTIMPL), and this works on Windows as well.

#include <oleacc.h>
#include <windows.h>

#include <optional>
#include <string>

namespace userdb::win32 {

// The interface's GUID. liboleacc.a's IID_IAccessible is the DLL's export as a function, not the
// GUID: any use of it reads code bytes.
inline const IID& AccessibleInterface() { return __uuidof(IAccessible); }

// A new object with one reference for the window's client area; null when the system has no
// standard object for it. No name or no description: the standard object's.
IAccessible* NewNamedAccessible(HWND window, std::optional<std::wstring> name, std::optional<std::wstring> description);

}  // namespace userdb::win32
