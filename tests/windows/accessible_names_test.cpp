// What a screen reader hears of the Win32 main window: each control's accessible object, as the
// system's accessibility interface (MSAA) hands it out, says the name of
// window/accessible_names.h, a row's field the column it stands under, and a label what it
// reads as the window runs.

#include <gtest/gtest.h>

#include "platform/win32/windows_header.h"

#include <oleacc.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "accessible_control.h"
#include "main_window_fixture.h"
#include "platform/win32/wide_text.h"
#include "window/accessible_names.h"
#include "window/control_ids.h"
#include "window/control_table.h"

namespace userdb::test {
namespace {

// What a listener hears of each label the window shows; each must be heard as it reads.
std::vector<std::wstring> HeardLabels(HWND mainWindow) {
  std::vector<std::wstring> heard;
  for (HWND child = GetWindow(mainWindow, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    const std::wstring text = WindowTextW(child);
    if (lstrcmpiW(className, L"Static") != 0 || !IsWindowVisible(child) || text.empty()) continue;
    const AccessibleControl label(child);
    EXPECT_EQ(label.Name(), text);
    heard.push_back(label.Name().value_or(L""));
  }
  return heard;
}

::testing::AssertionResult Heard(const std::vector<std::wstring>& heard, const std::wstring& text) {
  if (std::find(heard.begin(), heard.end(), text) != heard.end()) return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  failure << text << " is not among:";
  for (const std::wstring& each : heard) failure << " \"" << each << "\"";
  return failure;
}

class Win32AccessibleNamesTest : public MainWindowFixture {};

TEST_F(Win32AccessibleNamesTest, ARowFieldARowCheckThePortListAndTheStatusBoxSayWhatTheyAre) {
  user.Then([](HWND mainWindow) {
    const int degrees = ids::LongitudeField(0, ids::CoordinatePart::Degrees);
    const AccessibleControl field(GetDlgItem(mainWindow, degrees));
    ASSERT_TRUE(field.Exists());
    EXPECT_EQ(field.Name(), L"Row 0 longitude degrees");
    EXPECT_EQ(field.Description(), win32::WideText(*AccessibleDescription(degrees)));
    EXPECT_EQ(field.Role(), ROLE_SYSTEM_TEXT) << "the rest is the system's edit field";

    const AccessibleControl check(GetDlgItem(mainWindow, ids::RowCheck(0)));
    EXPECT_EQ(check.Name(), L"Mark row 0 for Clear data");
    EXPECT_EQ(AccessibleControl(GetDlgItem(mainWindow, ids::kPortList)).Name(), L"COM port");
    EXPECT_EQ(AccessibleControl(GetDlgItem(mainWindow, ids::kStatusBox)).Name(), L"Status messages");
  });
  ThenClose();
  RunUser();
}

TEST_F(Win32AccessibleNamesTest, EveryControlWithANameSaysItAndItsDescriptionAndTheOthersSayTheirText) {
  user.Then([](HWND mainWindow) {
    for (const ControlEntry& control : MainFormTemplate().controls) {
      if (control.id == ids::kStatic) continue;
      SCOPED_TRACE("control " + std::to_string(control.id));
      const AccessibleControl object(GetDlgItem(mainWindow, control.id));
      ASSERT_TRUE(object.Exists());
      const std::optional<std::string> name = AccessibleName(control.id);
      const std::optional<std::string> description = AccessibleDescription(control.id);
      if (name) {
        EXPECT_EQ(object.Name(), win32::WideText(*name));
      } else {
        EXPECT_TRUE(control.kind == ControlKind::PushButton || control.kind == ControlKind::Static);
        EXPECT_EQ(object.Name(), WindowTextW(GetDlgItem(mainWindow, control.id)));
      }
      if (description) {
        EXPECT_EQ(object.Description(), win32::WideText(*description));
      }
    }
  });
  ThenClose();
  RunUser();
}

TEST_F(Win32AccessibleNamesTest, TheLabelsSayTheLoadPromptAndAfterADownloadTheSerialNumberAndThePage) {
  user.Then([](HWND mainWindow) {
    const std::vector<std::wstring> heard = HeardLabels(mainWindow);
    EXPECT_TRUE(Heard(heard, L"Please Load User Database"));
    EXPECT_TRUE(Heard(heard, L"kilometer"));
    EXPECT_TRUE(Heard(heard, L"Serial Number :"));
  });
  ThenLoadFromTheDevice();
  user.Then([](HWND mainWindow) {
    const std::vector<std::wstring> heard = HeardLabels(mainWindow);
    EXPECT_TRUE(Heard(heard, L"Serial Number : 20110318"));
    EXPECT_TRUE(Heard(heard, L"Database Version :DB20110318"));
    EXPECT_TRUE(Heard(heard, L"Page 0"));
    EXPECT_TRUE(Heard(heard, L"kilometer"));
    EXPECT_FALSE(Heard(heard, L"Please Load User Database"));
    const AccessibleControl unit(GetDlgItem(mainWindow, ids::kUnitLabel));
    EXPECT_EQ(unit.Name(), L"kilometer");
    EXPECT_EQ(unit.Description(), L"Speed unit");
    EXPECT_EQ(unit.Role(), AccessibleControl(GetDlgItem(mainWindow, ids::kPageLabel)).Role())
        << "the rest is what the system says of a label";
  });
  user.Then([](HWND mainWindow) { Click(mainWindow, ids::kNextPage); });
  user.Then(
      [](HWND mainWindow) { EXPECT_EQ(AccessibleControl(GetDlgItem(mainWindow, ids::kPageLabel)).Name(), L"Page 1"); });
  ThenClose();
  RunUser();
}

}  // namespace
}  // namespace userdb::test
