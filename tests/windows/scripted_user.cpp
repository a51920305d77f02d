#include "scripted_user.h"

#include <array>

#include "window/control_table.h"

namespace userdb::test {
namespace {

constexpr UINT kTickMs = 10;
constexpr int kPatienceTicks = 2000;
constexpr int kMessageBoxTextId = 0xFFFF;  // the static that holds a message box's message

ScriptedUser* activeUser = nullptr;

bool HasClass(HWND window, const char* name) {
  std::array<char, 64> className{};
  GetClassNameA(window, className.data(), static_cast<int>(className.size()));
  return std::string_view(className.data()) == name;
}

std::vector<HWND> ThreadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Any dialog box but the main window: a message box or the About box. Of a dialog over a dialog,
// the one on top: the one below waits disabled.
HWND OpenDialog(HWND mainWindow) {
  for (HWND window : ThreadWindows()) {
    if (window != mainWindow && IsWindowVisible(window) && IsWindowEnabled(window) && HasClass(window, "#32770")) {
      return window;
    }
  }
  return nullptr;
}

SeenDialog See(HWND dialog, HWND mainWindow) {
  return SeenDialog{.handle = dialog,
                    .owner = GetWindow(dialog, GW_OWNER),
                    .caption = WindowTextW(dialog),
                    .text = WindowTextW(GetDlgItem(dialog, kMessageBoxTextId)),
                    .yesNo = GetDlgItem(dialog, IDYES) != nullptr,
                    .mainWindowEnabled = IsWindowEnabled(mainWindow) != FALSE};
}

// The virtual key of a shortcut, as the keyboard sends it.
WPARAM KeyOf(const Shortcut& shortcut) {
  return shortcut.functionKey != 0 ? static_cast<WPARAM>(VK_F1 + shortcut.functionKey - 1)
                                   : static_cast<WPARAM>(shortcut.letter);
}

void HoldControl(bool held) {
  std::array<BYTE, 256> keys{};
  if (held) keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
  SetKeyboardState(keys.data());
}

}  // namespace

std::wstring WindowTextW(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void ChooseMenu(HWND mainWindow, int command) { SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

void PressShortcut(HWND window, const Shortcut& shortcut) {
  HoldControl(shortcut.control);
  PostMessageW(window, WM_KEYDOWN, KeyOf(shortcut), 1);
}

void ReleaseKeys() { HoldControl(false); }

HWND FindMainWindow() {
  for (HWND window : ThreadWindows()) {
    std::array<char, 128> caption{};
    GetWindowTextA(window, caption.data(), static_cast<int>(caption.size()));
    if (std::string_view(caption.data()) == kMainWindowCaption) return window;
  }
  return nullptr;
}

void Click(HWND mainWindow, int controlId) {
  SendMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(controlId, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(mainWindow, controlId)));
}

void TypeInto(HWND edit, std::string_view typed) {
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, WM_CLEAR, 0, 0);
  for (char c : typed) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

std::string ControlText(HWND mainWindow, int controlId) {
  std::array<char, kWholeTextBuffer> text{};
  const UINT length = GetDlgItemTextA(mainWindow, controlId, text.data(), static_cast<int>(text.size()));
  return std::string(text.data(), length);
}

ScriptedUser::ScriptedUser() { activeUser = this; }

ScriptedUser::~ScriptedUser() {
  if (timer_ != 0) KillTimer(nullptr, timer_);
  activeUser = nullptr;
}

INT_PTR ScriptedUser::Run(Win32MainForm& form) {
  timer_ = SetTimer(nullptr, 0, kTickMs, Tick);
  const INT_PTR result = form.Run();
  KillTimer(nullptr, timer_);
  timer_ = 0;
  return result;
}

void CALLBACK ScriptedUser::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (activeUser != nullptr) activeUser->OnTick();
}

// A tick comes while the window waits for input, or inside the modal loop of a dialog over it
// (then a step may still be running below).
void ScriptedUser::OnTick() {
  if (++ticks_ > kPatienceTicks) return GiveUp();
  const HWND mainWindow = FindMainWindow();
  if (mainWindow == nullptr) return;
  if (const HWND dialog = OpenDialog(mainWindow)) {
    dialogs_.push_back(See(dialog, mainWindow));
    const int button = answer_ ? answer_(dialogs_.back(), mainWindow) : (dialogs_.back().yesNo ? IDYES : IDOK);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    return;
  }
  if (inStep_) return;
  if (nextStep_ == steps_.size()) return GiveUp();
  inStep_ = true;
  steps_[nextStep_++](mainWindow);
  inStep_ = false;
}

void ScriptedUser::GiveUp() {
  stuck_ = true;
  const HWND mainWindow = FindMainWindow();
  for (HWND window : ThreadWindows()) {
    if (window != mainWindow && HasClass(window, "#32770")) EndDialog(window, IDCANCEL);
  }
  if (mainWindow != nullptr) EndDialog(mainWindow, -1);
}

}  // namespace userdb::test
