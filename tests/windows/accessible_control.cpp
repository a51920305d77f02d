#include "accessible_control.h"

#include "platform/win32/named_accessible.h"

namespace userdb::test {
namespace {

VARIANT Self() {
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

}  // namespace

AccessibleControl::AccessibleControl(HWND control) {
  AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), win32::AccessibleInterface(),
                             reinterpret_cast<void**>(&object_));
}

AccessibleControl::~AccessibleControl() {
  if (object_ != nullptr) object_->Release();
}

LONG AccessibleControl::Role() const {
  VARIANT role;
  VariantInit(&role);
  if (object_->get_accRole(Self(), &role) != S_OK || role.vt != VT_I4) return -1;
  return role.lVal;
}

std::optional<std::wstring> AccessibleControl::Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT,
                                                                                                  BSTR*)) const {
  BSTR text = nullptr;
  if ((object_->*get)(Self(), &text) != S_OK || text == nullptr) return std::nullopt;
  std::wstring copy(text, SysStringLen(text));
  SysFreeString(text);
  return copy;
}

}  // namespace userdb::test
