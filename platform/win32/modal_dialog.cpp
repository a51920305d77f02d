#include "platform/win32/modal_dialog.h"

namespace userdb::win32 {

INT_PTR ModalDialog::RunModal(HINSTANCE instance, HWND owner, const std::vector<std::uint8_t>& dialogTemplate) {
  const INT_PTR result = DialogBoxIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()),
                                                 owner, Procedure, reinterpret_cast<LPARAM>(this));
  dialog_ = nullptr;
  return result;
}

bool ModalDialog::AcceptedOver(HWND owner, const std::vector<std::uint8_t>& dialogTemplate) {
  return RunModal(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), owner, dialogTemplate) == IDOK;
}

// Messages before WM_INITDIALOG (WM_SETFONT) find no object yet and get the default.
INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ModalDialog*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    self->dialog_ = dialog;
    return self->Initialise();
  }
  auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  return self == nullptr ? FALSE : self->Handle(message, wParam, lParam);
}

}  // namespace userdb::win32
