// The Win32 main window run modally, driven as a user drives it: keys, clicks and answers to
// its boxes, against the simulated device on a virtual clock.

#include <gtest/gtest.h>

#include "platform/win32/windows_header.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "platform/win32/iconic_painting.h"
#include "platform/win32/wide_text.h"
#include "window/control_ids.h"
#include "window/control_table.h"

namespace userdb::test {
namespace {

std::string PortEntry(HWND portList, int index) {
  std::array<char, 32> text{};
  SendMessageA(portList, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

// A key as the dialog's message loop gets it; it turns Enter and Escape into OK and cancel.
void PressKey(HWND mainWindow, WPARAM key) { PostMessageW(mainWindow, WM_KEYDOWN, key, 0); }

class Win32MainFormTest : public MainWindowFixture {};

TEST_F(Win32MainFormTest, StartsWithThePortListPromptsAndOnlyThePortButtonsEnabled) {
  user.Then([](HWND mainWindow) {
    const HWND portList = GetDlgItem(mainWindow, ids::kPortList);
    ASSERT_EQ(SendMessageA(portList, CB_GETCOUNT, 0, 0), 256);
    EXPECT_EQ(PortEntry(portList, 0), "COM001");
    EXPECT_EQ(PortEntry(portList, 9), "COM010");
    EXPECT_EQ(PortEntry(portList, 99), "COM100");
    EXPECT_EQ(PortEntry(portList, 255), "COM256");
    for (int index = 0; index < 256; ++index) {
      ASSERT_EQ(SendMessageA(portList, CB_GETITEMDATA, static_cast<WPARAM>(index), 0), index + 1) << index;
    }
    EXPECT_EQ(SendMessageA(portList, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(ControlText(mainWindow, ids::kPageLabel), "Please Load User Database");
    EXPECT_EQ(ControlText(mainWindow, ids::kStatusBox), "Please choose com and \r\nopen com port");
    for (const ControlEntry& control : MainFormTemplate().controls) {
      if (control.id != ids::kStatic) {
        EXPECT_EQ(Enabled(mainWindow, control.id), control.enabledAtStart) << control.id;
      }
    }
  });
  ThenClose();
  EXPECT_EQ(RunUser(), IDCANCEL);
  EXPECT_EQ(port.OpenAttempts().size(), 0u);
}

TEST_F(Win32MainFormTest, SystemMenuEndsWithASeparatorAndTheAboutItem) {
  user.Then([](HWND mainWindow) {
    const HMENU menu = GetSystemMenu(mainWindow, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), kAboutMenuCommand);
    std::array<wchar_t, 64> text{};
    GetMenuStringW(menu, count - 1, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text.data()), L"\u95DC\u65BC Geopadra(&A)...");
    EXPECT_NE(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR, 0u);
  });
  ThenClose();
  RunUser();
}

TEST_F(Win32MainFormTest, AboutItemsZeroX10ToZeroX1FOpenTheAboutBoxAndZeroX20DoesNot) {
  for (const WPARAM command : {0x10, 0x1F, 0x20, 0x13}) {
    user.Then([command](HWND mainWindow) { SendMessageW(mainWindow, WM_SYSCOMMAND, command, 0); });
  }
  ThenClose();
  user.AnswerWith([](const SeenDialog& dialog, HWND) {
    EXPECT_NE(SendDlgItemMessageW(dialog.handle, ids::kAboutIcon, STM_GETICON, 0, 0), 0);
    return IDOK;  // its button "確定"
  });
  RunUser();
  ASSERT_EQ(user.Dialogs().size(), 3u);
  for (const SeenDialog& dialog : user.Dialogs()) {
    EXPECT_EQ(dialog.caption, kAboutCaption);
    EXPECT_NE(dialog.owner, nullptr);
    EXPECT_FALSE(dialog.mainWindowEnabled);
  }
}

TEST_F(Win32MainFormTest, WindowAndTaskBarShowIcon128AndDraggingAsksForItToo) {
  user.Then([](HWND mainWindow) {
    const LRESULT large = SendMessageW(mainWindow, WM_GETICON, ICON_BIG, 0);
    EXPECT_NE(large, 0);
    EXPECT_EQ(SendMessageW(mainWindow, WM_GETICON, ICON_SMALL, 0), large);
    EXPECT_EQ(SendMessageW(mainWindow, WM_QUERYDRAGICON, 0, 0), large);
  });
  ThenClose();
  RunUser();
}

struct CloseAction {
  const char* name;
  void (*act)(HWND mainWindow);
};

class ClosingTheWindow : public Win32MainFormTest, public ::testing::WithParamInterface<CloseAction> {};

TEST_P(ClosingTheWindow, EndsTheRunWithoutAQuestionOrAnyTraffic) {
  port.Attach(2, device);
  user.Then([](HWND mainWindow) { TypeInto(GetDlgItem(mainWindow, ids::NoteField(0)), "typed, never saved"); });
  user.Then(GetParam().act);
  EXPECT_EQ(RunUser(), IDCANCEL);
  EXPECT_TRUE(user.Dialogs().empty());
  EXPECT_TRUE(port.OpenAttempts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    EveryWay, ClosingTheWindow,
    ::testing::Values(CloseAction{"EscapeKey", [](HWND w) { PressKey(w, VK_ESCAPE); }},
                      CloseAction{"CloseInTheSystemMenu", [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
                      CloseAction{"CloseBox", [](HWND w) { PostMessageW(w, WM_CLOSE, 0, 0); }},
                      CloseAction{"ExitButton", [](HWND w) { Click(w, ids::kExit); }}),
    [](const ::testing::TestParamInfo<CloseAction>& info) { return std::string(info.param.name); });

TEST_F(Win32MainFormTest, EnterLoadsTheDatabaseOnlyOnceButtonOneIsEnabled) {
  port.Attach(2, device);
  user.Then([](HWND mainWindow) { PressKey(mainWindow, VK_RETURN); });
  user.Then([this](HWND mainWindow) {
    EXPECT_TRUE(port.OpenAttempts().empty()) << "Enter ran the download while button 1 was disabled";
    Click(mainWindow, ids::kOpenPort);
    PressKey(mainWindow, VK_RETURN);
  });
  user.Then([](HWND mainWindow) { EXPECT_EQ(ControlText(mainWindow, ids::kPageLabel), "Page 0"); });
  ThenClose();
  RunUser();
  EXPECT_TRUE(user.Dialogs().empty());
}

TEST_F(Win32MainFormTest, ABoxWithoutOwnerLeavesTheWindowUsableButStartsNoSecondCommand) {
  // Nothing answers on COM2: the open fails with a box that has no owner and no caption.
  user.Then([](HWND mainWindow) { Click(mainWindow, ids::kOpenPort); });
  user.AnswerWith([](const SeenDialog&, HWND mainWindow) {
    Click(mainWindow, ids::kExit);
    Click(mainWindow, ids::kAutoOpenPort);
    EXPECT_TRUE(IsWindow(mainWindow));
    return IDOK;
  });
  user.Then([this](HWND mainWindow) {
    EXPECT_TRUE(IsWindowVisible(mainWindow));
    EXPECT_EQ(port.OpenAttempts(), std::vector<int>{2}) << "the scan must not have run";
  });
  ThenClose();
  RunUser();
  ASSERT_EQ(user.Dialogs().size(), 1u);
  const SeenDialog& box = user.Dialogs()[0];
  EXPECT_EQ(box.text, L"Can not Open COM2");
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_TRUE(box.mainWindowEnabled);
  EXPECT_FALSE(box.yesNo);
  EXPECT_EQ(box.caption, L"Error") << "a box without caption shows the system's default title";
}

TEST_F(Win32MainFormTest, AWholeSessionFindsTheDeviceLoadsEditsSavesPagesAndWritesBack) {
  port.Attach(7, device);
  user.Then([](HWND mainWindow) { Click(mainWindow, ids::kAutoOpenPort); });
  user.Then([](HWND mainWindow) {
    EXPECT_EQ(SendDlgItemMessageA(mainWindow, ids::kPortList, CB_GETCURSEL, 0, 0), 6);
    EXPECT_EQ(ControlText(mainWindow, ids::kSerialNumberLabel), "Serial Number : 20110318");
    for (int id : {ids::kPortList, ids::kOpenPort, ids::kAutoOpenPort}) EXPECT_FALSE(Enabled(mainWindow, id)) << id;
    EXPECT_TRUE(Enabled(mainWindow, ids::kLoadDatabase));
    EXPECT_FALSE(Enabled(mainWindow, ids::kExitAndWrite));
    Click(mainWindow, ids::kLoadDatabase);
  });
  user.Then([](HWND mainWindow) {
    ASSERT_EQ(ControlText(mainWindow, ids::kPageLabel), "Page 0");
    for (int id : {ids::kNextPage, ids::kPreviousPage, ids::kSavePage, ids::kClearData, ids::kExitAndWrite}) {
      EXPECT_TRUE(Enabled(mainWindow, id)) << id;
    }
    TypeInto(GetDlgItem(mainWindow, ids::SpeedField(1)), "100");
    TypeInto(GetDlgItem(mainWindow, ids::NoteField(1)), "Speed trap, both ways");
    Click(mainWindow, ids::kSavePage);
  });
  user.Then([](HWND mainWindow) {
    EXPECT_EQ(ControlText(mainWindow, ids::kStatusBox), "Save Successful !");
    Click(mainWindow, ids::kNextPage);
    EXPECT_EQ(ControlText(mainWindow, ids::kPageLabel), "Page 1");
    Click(mainWindow, ids::kPreviousPage);
    EXPECT_EQ(ControlText(mainWindow, ids::SpeedField(1)), "98");  // 100 km/h as the device keeps it
    Click(mainWindow, ids::kExitAndWrite);
  });
  EXPECT_EQ(RunUser(), IDCANCEL);

  const std::vector<SeenDialog>& boxes = user.Dialogs();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0].text, L"Auto scan to COM 7");
  EXPECT_EQ(boxes[0].caption, L"API-return");
  EXPECT_NE(boxes[0].owner, nullptr);
  EXPECT_FALSE(boxes[0].mainWindowEnabled) << "a box the main window owns is modal to it";
  EXPECT_EQ(boxes[1].text, L"Want to save this page to User Database ? ");
  EXPECT_TRUE(boxes[1].yesNo);
  EXPECT_EQ(boxes[2].text, L"Want to write User Database to Device ? ");
  EXPECT_EQ(boxes[2].caption, L"Info");
  EXPECT_TRUE(boxes[2].yesNo);
  EXPECT_NE(boxes[2].owner, nullptr);
  EXPECT_EQ(boxes[3].text, L"Update User Database successful");
  EXPECT_EQ(boxes[3].owner, nullptr);
  EXPECT_FALSE(boxes[3].yesNo);

  EXPECT_EQ(device.UploadsApplied(), 1);
  EXPECT_EQ(state.database.Point(1).speed, 53);
  const TransferImage sent = state.database.Image();
  EXPECT_TRUE(std::equal(sent.begin(), sent.end(), device.Memory().image.begin()));
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(Win32MainFormTest, TheWindowOperationsReachTheLiveControls) {
  user.Then([](HWND mainWindow) {
    Win32Window window;
    window.Attach(mainWindow);
    window.SetText(ids::NoteField(4), "Bridge \xE9tage");
    EXPECT_EQ(window.Text(ids::NoteField(4), kWholeTextBuffer), "Bridge \xE9tage");
    EXPECT_EQ(window.Text(ids::NoteField(4), 7), "Bridge") << "a buffer of 7 takes 6 characters";
    EXPECT_EQ(window.Text(ids::NoteField(4), 0), "");

    window.SetRowChecked(3, true);
    EXPECT_EQ(SendDlgItemMessageA(mainWindow, ids::RowCheck(3), BM_GETCHECK, 0, 0), BST_CHECKED);
    for (int row = 0; row < kRowsPerPage; ++row) EXPECT_EQ(window.IsRowChecked(row), row == 3) << row;
    window.SetRowChecked(3, false);
    EXPECT_FALSE(window.IsRowChecked(3));

    window.Enable(ids::kNextPage, true);
    EXPECT_TRUE(Enabled(mainWindow, ids::kNextPage));
    window.Enable(ids::kOpenPort, false);
    EXPECT_FALSE(Enabled(mainWindow, ids::kOpenPort));

    window.SelectPort(255);
    EXPECT_EQ(window.PortSelection(), 255);
    EXPECT_EQ(SendDlgItemMessageA(mainWindow, ids::kPortList, CB_GETCURSEL, 0, 0), 255);
    window.SelectPort(-1);
    EXPECT_EQ(window.PortSelection(), -1);
  });
  ThenClose();
  RunUser();
}

TEST(IconicPainting, TheIconIsCentredRoundingTowardsZero) {
  const auto origin = [](LONG width, LONG height) { return win32::CentredIconOrigin({0, 0, width, height}, 32, 32); };
  EXPECT_EQ(origin(40, 40).x, 4);
  EXPECT_EQ(origin(41, 35).x, 5);
  EXPECT_EQ(origin(41, 35).y, 2);
  EXPECT_EQ(origin(0, 0).x, -15) << "(0 - 32 + 1) / 2 truncates towards zero";
  EXPECT_EQ(win32::CentredIconOrigin({10, 20, 50, 60}, 16, 16).x, 12) << "only the client's size counts";
}

}  // namespace
}  // namespace userdb::test
