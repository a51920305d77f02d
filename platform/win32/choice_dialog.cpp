#include "platform/win32/choice_dialog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/modal_dialog.h"
#include "platform/win32/native_controls.h"
#include "platform/win32/wide_text.h"

namespace userdb::win32 {
namespace {

using choice_dialog::kFirstChoice;
using choice_dialog::kText;

constexpr int kMargin = 7;
constexpr int kTextHeight = 96;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;
constexpr int kMinimumWidth = 260;

// Wide enough for its words in the dialog font, with the usual margins.
int ButtonWidth(const std::string& text) { return std::max(50, static_cast<int>(text.size()) * 4 + 12); }

std::vector<std::uint8_t> ChoiceTemplate(const ChoiceRequest& request) {
  int buttonsWidth = 0;
  for (const std::string& choice : request.choices) buttonsWidth += ButtonWidth(choice) + kButtonGap;
  const int width = std::max(kMinimumWidth, buttonsWidth - kButtonGap + 2 * kMargin);
  const int buttonTop = kMargin + kTextHeight + kMargin;
  NativeDialog dialog = ModalFrame(request.caption, width, buttonTop + kButtonHeight + kMargin);
  dialog.controls.push_back(TextBox(kText, {kMargin, kMargin, width - 2 * kMargin, kTextHeight}));
  int left = width - kMargin - (buttonsWidth - kButtonGap);
  for (std::size_t index = 0; index < request.choices.size(); ++index) {
    const int buttonWidth = ButtonWidth(request.choices[index]);
    dialog.controls.push_back(PushButton(kFirstChoice + static_cast<int>(index), request.choices[index],
                                         {left, buttonTop, buttonWidth, kButtonHeight}, index == 0));
    left += buttonWidth + kButtonGap;
  }
  return EncodeNativeDialog(dialog);
}

class ChoiceDialog final : public ModalDialog {
 public:
  explicit ChoiceDialog(const ChoiceRequest& request) : request_(request) {}

  std::size_t Run(HWND owner) {
    chosen_ = request_.choices.empty() ? 0 : request_.choices.size() - 1;
    AcceptedOver(owner, ChoiceTemplate(request_));
    return chosen_;
  }

 private:
  INT_PTR Initialise() override {
    SetDlgItemTextW(Dialog(), kText, WideText(request_.text).c_str());
    return TRUE;
  }

  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM /*lParam*/) override {
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    const int count = static_cast<int>(request_.choices.size());
    if (id >= kFirstChoice && id < kFirstChoice + count) {
      chosen_ = static_cast<std::size_t>(id - kFirstChoice);
      EndDialog(Dialog(), IDOK);
      return TRUE;
    }
    if (id == IDCANCEL || id == IDOK) {  // Escape, the close box; Enter goes to the default button
      if (id == IDOK) chosen_ = 0;
      EndDialog(Dialog(), IDOK);
      return TRUE;
    }
    return FALSE;
  }

  const ChoiceRequest& request_;
  std::size_t chosen_ = 0;
};

}  // namespace

std::size_t RunChoiceDialog(HWND owner, const ChoiceRequest& request) { return ChoiceDialog(request).Run(owner); }

}  // namespace userdb::win32
