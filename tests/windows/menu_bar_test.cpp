// The Win32 main window's menu bar: the table's menus and items, a window grown by the bar
// around a client area of the template's size, and items and shortcuts that reach their commands.

#include <gtest/gtest.h>

#include "platform/win32/windows_header.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "dialog_geometry.h"
#include "main_window_fixture.h"
#include "platform/win32/wide_text.h"
#include "window/control_ids.h"
#include "window/control_table.h"
#include "window/menu_bar.h"

namespace userdb::test {
namespace {

std::wstring MenuText(HMENU menu, std::size_t position) {
  std::array<wchar_t, 128> text{};
  const int length =
      GetMenuStringW(menu, static_cast<UINT>(position), text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
  return std::wstring(text.data(), static_cast<std::size_t>(length));
}

DWORD StyleOf(HWND window, int which) { return static_cast<DWORD>(GetWindowLongPtrW(window, which)); }

std::vector<std::wstring> Captions(const std::vector<SeenDialog>& dialogs) {
  std::vector<std::wstring> captions;
  for (const SeenDialog& dialog : dialogs) captions.push_back(dialog.caption);
  return captions;
}

class Win32MenuBarTest : public MainWindowFixture {
 protected:
  // The item's shortcut, then the modifier let go.
  void ThenPress(int command) {
    user.Then([command](HWND mainWindow) { PressShortcut(mainWindow, MenuItemOf(command)->shortcut); });
    user.Then([](HWND) { ReleaseKeys(); });
  }
};

TEST_F(Win32MenuBarTest, HoldsTheTablesMenusAndItemsWithTheirShortcutsAfterATab) {
  user.Then([](HWND mainWindow) {
    const HMENU bar = GetMenu(mainWindow);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(MenuBar().size()));
    for (std::size_t m = 0; m < MenuBar().size(); ++m) {
      const Menu& menu = MenuBar()[m];
      EXPECT_EQ(MenuText(bar, m), win32::WideText(menu.title));
      const HMENU popup = GetSubMenu(bar, static_cast<int>(m));
      ASSERT_NE(popup, nullptr) << m;
      ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(menu.items.size())) << m;
      for (std::size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(i)), static_cast<UINT>(item.command));
        EXPECT_EQ(MenuText(popup, i), win32::WideText(std::string(item.text) + '\t' + item.shortcut.Text()));
      }
    }
    EXPECT_EQ(MenuText(GetSubMenu(bar, 0), 0), L"&Import points\u2026\tCtrl+I");
    EXPECT_EQ(MenuText(GetSubMenu(bar, 2), 0), L"&About\tF1");
  });
  ThenClose();
  RunUser();
}

TEST_F(Win32MenuBarTest, TheBarGrowsTheWindowAndEveryControlKeepsItsPlaceInTheClientArea) {
  user.Then([](HWND mainWindow) {
    const DialogTemplate& table = MainFormTemplate();
    RECT client;
    GetClientRect(mainWindow, &client);
    const RECT size = DialogPixels(mainWindow, {0, 0, table.width, table.height});
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    RECT framed = client;
    AdjustWindowRectEx(&framed, StyleOf(mainWindow, GWL_STYLE), TRUE, StyleOf(mainWindow, GWL_EXSTYLE));
    RECT window;
    GetWindowRect(mainWindow, &window);
    EXPECT_EQ(window.right - window.left, framed.right - framed.left);
    EXPECT_EQ(window.bottom - window.top, framed.bottom - framed.top) << "the frame of a window with a menu bar";
    POINT clientOrigin{0, 0};
    ClientToScreen(mainWindow, &clientOrigin);
    MENUBARINFO bar{};
    bar.cbSize = sizeof(bar);
    ASSERT_TRUE(GetMenuBarInfo(mainWindow, OBJID_MENU, 0, &bar));
    EXPECT_GT(bar.rcBar.top, window.top);
    EXPECT_LT(bar.rcBar.top, clientOrigin.y) << "the bar stands above the client area";

    ExpectPlacedAsTheTable(mainWindow, table);
    const std::vector<HWND> children = ChildrenOf(mainWindow);
    for (std::size_t i = 0; i < children.size(); ++i) {
      const ControlEntry& entry = table.controls[i];
      if (entry.kind == ControlKind::PushButton || entry.kind == ControlKind::CheckBox) {
        EXPECT_EQ(WindowTextW(children[i]), win32::WideText(entry.text)) << entry.id;
      }
    }
  });
  ThenClose();
  RunUser();
}

TEST_F(Win32MenuBarTest, EveryShortcutRunsItsItemAndCtrlQClosesTheWindow) {
  ThenLoadFromTheDevice();
  dialogs.backupChosen = std::nullopt;
  for (const Menu& menu : MenuBar()) {
    for (const MenuItem& item : menu.items) {
      if (item.command != menu::kExit) ThenPress(item.command);
    }
  }
  user.Then([](HWND mainWindow) { PressShortcut(mainWindow, MenuItemOf(menu::kExit)->shortcut); });
  EXPECT_EQ(RunUser(), IDCANCEL);
  ReleaseKeys();

  EXPECT_EQ(dialogs.titles, (std::vector<std::string>{"Import points", "Export points", "Save backup"}));
  ASSERT_EQ(dialogs.listed.size(), 1u) << "Restore backup lists the download's backup";
  ASSERT_EQ(dialogs.opened.size(), 1u) << "Show on map hands the points to the desktop";
  EXPECT_EQ(dialogs.opened[0].extension(), ".gpx");
  const std::vector<std::wstring> captions = Captions(user.Dialogs());
  EXPECT_NE(std::find(captions.begin(), captions.end(), kAboutCaption), captions.end()) << "F1 opens the About box";
}

TEST_F(Win32MenuBarTest, MenuItemsOpenTheAboutBoxAndExit) {
  user.Then([](HWND mainWindow) { ChooseMenu(mainWindow, menu::kAbout); });
  user.Then([](HWND mainWindow) { ChooseMenu(mainWindow, menu::kExit); });
  EXPECT_EQ(RunUser(), IDCANCEL);
  ASSERT_EQ(user.Dialogs().size(), 1u);
  EXPECT_EQ(user.Dialogs()[0].caption, kAboutCaption);
  EXPECT_FALSE(user.Dialogs()[0].mainWindowEnabled);
}

// The window's message loop hands out the keys of every window of its thread: those typed into
// another window (a box without owner, which leaves the window enabled) stay that window's.
TEST_F(Win32MenuBarTest, AShortcutTypedIntoAnotherWindowOfTheThreadIsThatWindows) {
  HWND other = nullptr;
  user.Then([&other](HWND) {
    other = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 40, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    PressShortcut(other, MenuItemOf(menu::kImportPoints)->shortcut);
  });
  user.Then([this, &other](HWND mainWindow) {
    ReleaseKeys();
    DestroyWindow(other);
    EXPECT_TRUE(dialogs.titles.empty()) << "the key in the other window ran the window's command";
    PressShortcut(mainWindow, MenuItemOf(menu::kImportPoints)->shortcut);
  });
  user.Then([](HWND) { ReleaseKeys(); });
  ThenClose();
  RunUser();
  EXPECT_EQ(dialogs.titles, std::vector<std::string>{"Import points"}) << "the same keys in the window";
}

}  // namespace
}  // namespace userdb::test
