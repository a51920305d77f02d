#include "dialog_geometry.h"

#include <gtest/gtest.h>

#include <string>

namespace userdb::test {
namespace {

RECT PlacedIn(HWND dialog, HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

RECT DialogPixels(HWND dialog, const DialogRect& units) {
  RECT origin{units.x, units.y, 0, 0};
  RECT size{0, 0, units.width, units.height};
  MapDialogRect(dialog, &origin);
  MapDialogRect(dialog, &size);
  return {origin.left, origin.top, origin.left + size.right, origin.top + size.bottom};
}

std::vector<HWND> ChildrenOf(HWND dialog) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

void ExpectPlacedAsTheTable(HWND dialog, const DialogTemplate& table) {
  const std::vector<HWND> children = ChildrenOf(dialog);
  ASSERT_EQ(children.size(), table.controls.size());
  for (std::size_t i = 0; i < children.size(); ++i) {
    const ControlEntry& entry = table.controls[i];
    SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(entry.id) + " \"" + entry.text + "\"");
    EXPECT_EQ(GetDlgCtrlID(children[i]), entry.id);
    EXPECT_EQ(IsWindowEnabled(children[i]) != FALSE, entry.enabledAtStart);
    const RECT expected = DialogPixels(dialog, entry.rect);
    const RECT actual = PlacedIn(dialog, children[i]);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    if (entry.kind != ControlKind::ComboBox) {  // a combo box's height is that of its dropped list
      EXPECT_EQ(actual.bottom, expected.bottom);
    }
  }
}

}  // namespace userdb::test
