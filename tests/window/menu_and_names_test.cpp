// The menu bar's table and the names a screen reader says: both windows take them from here, so
// a clash or a gap here is one in both.

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "window/accessible_names.h"
#include "window/control_ids.h"
#include "window/control_table.h"
#include "window/menu_bar.h"

namespace userdb {
namespace {

char MnemonicOf(std::string_view text) {
  const std::size_t at = text.find('&');
  return at == std::string_view::npos || at + 1 == text.size()
             ? 0
             : static_cast<char>(std::toupper(static_cast<unsigned char>(text[at + 1])));
}

TEST(MenuBar, EveryItemHasItsOwnCommandShortcutAndMnemonic) {
  std::set<int> commands;
  std::set<std::string> shortcuts;
  std::set<char> menuMnemonics;
  for (const Menu& each : MenuBar()) {
    EXPECT_TRUE(menuMnemonics.insert(MnemonicOf(each.title)).second) << each.title;
    std::set<char> itemMnemonics;
    for (const MenuItem& item : each.items) {
      EXPECT_TRUE(commands.insert(item.command).second) << item.text;
      EXPECT_TRUE(itemMnemonics.insert(MnemonicOf(item.text)).second) << item.text;
      EXPECT_NE(MnemonicOf(item.text), 0) << item.text;
      ASSERT_TRUE(item.shortcut.Exists()) << item.text;
      EXPECT_TRUE(shortcuts.insert(item.shortcut.Text()).second) << item.text;
      EXPECT_EQ(MenuItemOf(item.command), &item);
      // No command number is also a control's: a dialog's WM_COMMAND carries both.
      EXPECT_EQ(MainFormTemplate().Find(item.command), nullptr) << item.command;
    }
  }
  EXPECT_EQ(commands.size(), 7u);
  EXPECT_EQ(MenuItemOf(1), nullptr);
}

TEST(MenuBar, ItemsReadAsTheUserSeesThem) {
  std::vector<std::string> file;
  for (const MenuItem& item : MenuBar()[0].items) file.push_back(WithoutMnemonic(item.text));
  EXPECT_EQ(file,
            (std::vector<std::string>{"Import points…", "Export points…", "Save backup…", "Restore backup…", "Exit"}));
  EXPECT_EQ(WithoutMnemonic(MenuBar()[1].items[0].text), "Show on map…");
  EXPECT_EQ(WithoutMnemonic(MenuBar()[2].items[0].text), "About");
  EXPECT_EQ(WithoutMnemonic("Fish && &Chips"), "Fish & Chips");
  EXPECT_EQ(MenuItemOf(menu::kImportPoints)->shortcut.Text(), "Ctrl+I");
  EXPECT_EQ(MenuItemOf(menu::kAbout)->shortcut.Text(), "F1");
}

TEST(AccessibleNames, OnlyControlsWithoutTellingTextAreNamedEachOnceAndRowFieldsCarryTheirColumn) {
  std::set<std::string> names;
  for (const ControlEntry& control : MainFormTemplate().controls) {
    if (control.id == ids::kStatic) continue;
    SCOPED_TRACE("control " + std::to_string(control.id));
    const std::optional<std::string> name = AccessibleName(control.id);
    // Buttons and labels are heard by their text, which for the labels changes as the window
    // runs ("Page 0", the serial number); a name of ours would stand in for it.
    if (control.kind == ControlKind::PushButton || control.kind == ControlKind::Static) {
      EXPECT_EQ(name, std::nullopt);
      EXPECT_FALSE(control.text.empty()) << "a label without text would be heard as nothing";
      continue;
    }
    ASSERT_TRUE(name);
    EXPECT_TRUE(names.insert(*name).second) << *name;
    EXPECT_EQ(AccessibleDescription(control.id).has_value(),
              control.kind == ControlKind::Edit && control.id != ids::kStatusBox);
  }
  EXPECT_EQ(names.size(), 8u * 15u + 2u) << "every row field and row mark, the port list and the status box";
  EXPECT_EQ(AccessibleName(ids::LongitudeField(0, ids::CoordinatePart::Degrees)), "Row 0 longitude degrees");
  EXPECT_EQ(AccessibleName(ids::LatitudeField(7, ids::CoordinatePart::Hemisphere)), "Row 7 latitude hemisphere");
  EXPECT_EQ(AccessibleName(ids::NoteField(0)), "Row 0 note");
  EXPECT_EQ(AccessibleName(ids::SpeedField(3)), "Row 3 speed");
  EXPECT_EQ(AccessibleName(ids::RowCheck(0)), "Mark row 0 for Clear data");
  EXPECT_EQ(AccessibleName(ids::kPortList), "COM port");
  EXPECT_EQ(AccessibleName(ids::kStatusBox), "Status messages");
  EXPECT_EQ(AccessibleDescription(ids::LongitudeField(2, ids::CoordinatePart::Hundredths)), "Longitude, hundredths");
  EXPECT_EQ(AccessibleDescription(ids::DirectionField(5)), "Direction");
  EXPECT_EQ(AccessibleName(ids::kExit), std::nullopt);
  EXPECT_EQ(AccessibleName(99999), std::nullopt);
}

TEST(AccessibleNames, OfTheLabelsOnlyTheUnitHasADescriptionForItsWordSaysNotWhatItMeasures) {
  for (const ControlEntry& control : MainFormTemplate().controls) {
    if (control.id == ids::kStatic || control.kind != ControlKind::Static) continue;
    if (control.id == ids::kUnitLabel) {
      EXPECT_EQ(AccessibleDescription(control.id), "Speed unit");
    } else {
      EXPECT_EQ(AccessibleDescription(control.id), std::nullopt) << control.text;
    }
  }
}

}  // namespace
}  // namespace userdb
