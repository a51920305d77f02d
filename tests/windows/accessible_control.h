#pragma once
// A control's accessible object, as a screen reader gets it from the window through the
// system's accessibility interface (MSAA).

#include "platform/win32/windows_header.h"

#include <oleacc.h>

#include <optional>
#include <string>

namespace userdb::test {

class AccessibleControl {
 public:
  explicit AccessibleControl(HWND control);
  ~AccessibleControl();
  AccessibleControl(const AccessibleControl&) = delete;
  AccessibleControl& operator=(const AccessibleControl&) = delete;

  bool Exists() const { return object_ != nullptr; }
  std::optional<std::wstring> Name() const { return Text(&IAccessible::get_accName); }
  std::optional<std::wstring> Description() const { return Text(&IAccessible::get_accDescription); }
  LONG Role() const;

 private:
  std::optional<std::wstring> Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) const;

  IAccessible* object_ = nullptr;
};

}  // namespace userdb::test
