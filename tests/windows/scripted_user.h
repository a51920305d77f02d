#pragma once
// A user at the keyboard of the Win32 main window: performs steps one after the other while
// the window waits for input, and answers every dialog that opens over it.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/win32_main_form.h"
#include "window/menu_bar.h"

namespace userdb::test {

// A dialog other than the main window, as the user saw it when it opened.
struct SeenDialog {
  HWND handle = nullptr;
  HWND owner = nullptr;
  std::wstring caption;
  std::wstring text;  // a message box's message
  bool yesNo = false;
  bool mainWindowEnabled = false;
};

class ScriptedUser {
 public:
  using Step = std::function<void(HWND mainWindow)>;
  // Returns the button to press: IDOK, IDYES or IDNO.
  using Answer = std::function<int(const SeenDialog& dialog, HWND mainWindow)>;

  ScriptedUser();
  ~ScriptedUser();
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  void Then(Step step) { steps_.push_back(std::move(step)); }
  // Without an answer every dialog gets OK, and a Yes/No box Yes.
  void AnswerWith(Answer answer) { answer_ = std::move(answer); }

  // Runs the window until it closes; the result is the dialog's. A user who runs out of
  // steps, or waits too long, closes the window and marks the run as stuck.
  INT_PTR Run(Win32MainForm& form);

  const std::vector<SeenDialog>& Dialogs() const { return dialogs_; }
  bool Stuck() const { return stuck_; }
  // Every step has been taken: the window ran them all.
  bool Finished() const { return nextStep_ == steps_.size(); }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnTick();
  void GiveUp();

  std::vector<Step> steps_;
  std::size_t nextStep_ = 0;
  bool inStep_ = false;
  Answer answer_;
  std::vector<SeenDialog> dialogs_;
  std::vector<HWND> answered_;
  int ticks_ = 0;
  bool stuck_ = false;
  UINT_PTR timer_ = 0;
};

// The main window's handle among this thread's windows, or null.
HWND FindMainWindow();

// A click notification, as the button sends it to its dialog; the command has run on return.
void Click(HWND mainWindow, int controlId);

// Keystrokes into an edit control, after selecting its whole text.
void TypeInto(HWND edit, std::string_view typed);

std::string ControlText(HWND mainWindow, int controlId);
std::wstring WindowTextW(HWND window);

// A menu item chosen with the mouse: its command, from no control.
void ChooseMenu(HWND mainWindow, int command);

// A shortcut's key goes down in a window while its modifier is held, as a dialog's message loop
// gets it: the loop handles it after the step, before the next one. ReleaseKeys lets the
// modifier go; call it in the next step.
void PressShortcut(HWND window, const Shortcut& shortcut);
void ReleaseKeys();

}  // namespace userdb::test
