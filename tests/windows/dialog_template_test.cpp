// The templates built from the control table, created by the Win32 dialog manager.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <vector>

#include "dialog_geometry.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/wide_text.h"
#include "scripted_user.h"
#include "window/control_ids.h"
#include "window/control_table.h"

namespace userdb::test {
namespace {

INT_PTR CALLBACK Passive(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? TRUE : FALSE; }

std::wstring TextW(HWND window) {
  std::array<wchar_t, 512> text{};
  return std::wstring(text.data(), static_cast<std::size_t>(GetWindowTextW(window, text.data(), 512)));
}

std::string ClassOf(HWND window) {
  std::array<char, 64> name{};
  GetClassNameA(window, name.data(), static_cast<int>(name.size()));
  std::string lower(name.data());
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string ExpectedClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
      return "button";
    case ControlKind::ComboBox:
      return "combobox";
    case ControlKind::Edit:
      return "edit";
    default:
      return "static";
  }
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

bool HasStyle(HWND window, DWORD style) { return (StyleOf(window) & style) == style; }

// A modeless dialog from the table's template that does nothing on its own.
class DialogFromTable : public ::testing::Test {
 protected:
  HWND Create(const DialogTemplate& table) {
    bytes_ = win32::EncodeDialogTemplate(table);
    dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes_.data()),
                                         nullptr, Passive, 0);
    return dialog_;
  }
  ~DialogFromTable() override {
    if (dialog_ != nullptr) DestroyWindow(dialog_);
  }

  RECT Pixels(const DialogRect& units) const { return DialogPixels(dialog_, units); }
  std::vector<HWND> Children() const { return ChildrenOf(dialog_); }

  HWND Item(int id) const { return GetDlgItem(dialog_, id); }

 private:
  std::vector<std::uint8_t> bytes_;
  HWND dialog_ = nullptr;
};

TEST_F(DialogFromTable, MainFormHasEveryControlOfTheTableInOrderWithItsTextPlaceAndState) {
  const DialogTemplate& table = MainFormTemplate();
  const HWND dialog = Create(table);
  ASSERT_NE(dialog, nullptr);
  const std::vector<HWND> children = Children();
  ASSERT_EQ(children.size(), 148u);
  ASSERT_EQ(children.size(), table.controls.size());
  for (std::size_t i = 0; i < children.size(); ++i) {
    const ControlEntry& entry = table.controls[i];
    SCOPED_TRACE("control " + std::to_string(i) + " id " + std::to_string(entry.id) + " \"" + entry.text + "\"");
    EXPECT_EQ(ClassOf(children[i]), ExpectedClass(entry.kind));
    if (entry.kind != ControlKind::ComboBox) {
      EXPECT_EQ(TextW(children[i]), win32::WideText(entry.text));
    }
  }
  ExpectPlacedAsTheTable(dialog, table);
}

TEST_F(DialogFromTable, MainFormIsAFixedFrameWithMinimiseBoxShownInTheTaskBar) {
  const HWND dialog = Create(MainFormTemplate());
  ASSERT_NE(dialog, nullptr);
  std::array<char, 128> caption{};
  GetWindowTextA(dialog, caption.data(), static_cast<int>(caption.size()));
  EXPECT_EQ(std::string(caption.data()), "BT GPS Vardenholmics - User Database Utility");
  EXPECT_TRUE(HasStyle(dialog, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE));
  EXPECT_FALSE(HasStyle(dialog, WS_MAXIMIZEBOX));
  EXPECT_FALSE(HasStyle(dialog, WS_THICKFRAME));
  EXPECT_NE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  RECT client;
  GetClientRect(dialog, &client);
  const RECT expected = Pixels({0, 0, 525, 314});
  EXPECT_EQ(client.right, expected.right);
  EXPECT_EQ(client.bottom, expected.bottom);
}

TEST_F(DialogFromTable, ControlsCarryTheStylesTheTableNames) {
  ASSERT_NE(Create(MainFormTemplate()), nullptr);
  const HWND portList = Item(ids::kPortList);
  EXPECT_EQ(StyleOf(portList) & 0x3, static_cast<DWORD>(CBS_DROPDOWN));
  EXPECT_TRUE(HasStyle(portList, CBS_SORT));
  const HWND statusBox = Item(ids::kStatusBox);
  EXPECT_TRUE(HasStyle(statusBox, ES_MULTILINE | WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL | ES_AUTOVSCROLL));
  EXPECT_FALSE(HasStyle(statusBox, ES_READONLY));
  EXPECT_EQ(StyleOf(Item(ids::kLoadDatabase)) & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  EXPECT_EQ(StyleOf(Item(ids::kExit)) & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON));
  EXPECT_TRUE(HasStyle(Item(ids::kPageLabel), SS_CENTER | SS_CENTERIMAGE | SS_SUNKEN));
  for (int row = 0; row < kRowsPerPage; ++row) {
    EXPECT_EQ(StyleOf(Item(ids::RowCheck(row))) & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX)) << row;
    for (int field = 0; field < kRowFieldCount; ++field) {
      const HWND edit = Item(ids::RowField(row, field));
      const bool isNote = ids::RowField(row, field) == ids::NoteField(row);
      EXPECT_EQ(HasStyle(edit, ES_UPPERCASE), !isNote) << row << '/' << field;
      EXPECT_EQ(HasStyle(edit, ES_CENTER), !isNote) << row << '/' << field;
      EXPECT_TRUE(HasStyle(edit, ES_AUTOHSCROLL)) << row << '/' << field;
    }
  }
}

TEST_F(DialogFromTable, HemisphereFieldsCapitaliseWhatIsTypedAndNotesKeepIt) {
  const HWND dialog = Create(MainFormTemplate());
  ASSERT_NE(dialog, nullptr);
  TypeInto(Item(ids::LongitudeField(2, ids::CoordinatePart::Hemisphere)), "w");
  TypeInto(Item(ids::LatitudeField(2, ids::CoordinatePart::Hemisphere)), "s");
  TypeInto(Item(ids::SpeedField(2)), "null");
  TypeInto(Item(ids::NoteField(2)), "wet road");
  EXPECT_EQ(ControlText(dialog, ids::LongitudeField(2, ids::CoordinatePart::Hemisphere)), "W");
  EXPECT_EQ(ControlText(dialog, ids::LatitudeField(2, ids::CoordinatePart::Hemisphere)), "S");
  EXPECT_EQ(ControlText(dialog, ids::SpeedField(2)), "NULL");
  EXPECT_EQ(ControlText(dialog, ids::NoteField(2)), "wet road");
}

TEST_F(DialogFromTable, HeaderMarksShowTheDegreeSignOfTheWindowsCodePage) {
  ASSERT_NE(Create(MainFormTemplate()), nullptr);
  const std::vector<HWND> children = Children();
  const auto marks = std::find_if(children.begin(), children.end(),
                                  [](HWND child) { return TextW(child).find(L"E/W") != std::wstring::npos; });
  ASSERT_NE(marks, children.end());
  const std::wstring text = TextW(*marks);
  EXPECT_EQ(std::count(text.begin(), text.end(), L'\u00B0'), 2) << "the 8-bit 0xB0 is the degree sign";
}

TEST_F(DialogFromTable, AboutBoxShowsIcon128TheVersionAndItsChineseTexts) {
  const HWND about = Create(AboutBoxTemplate());
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(TextW(about), L"\u95DC\u65BC Geopadra");
  EXPECT_TRUE(HasStyle(about, WS_CAPTION | WS_SYSMENU));
  EXPECT_FALSE(HasStyle(about, WS_MINIMIZEBOX));
  EXPECT_NE(SendMessageW(Item(ids::kAboutIcon), STM_GETICON, 0, 0), 0) << "icon 128 comes from the program's resources";
  EXPECT_EQ(TextW(Item(ids::kAboutOk)), L"\u78BA\u5B9A");
  EXPECT_EQ(StyleOf(Item(ids::kAboutOk)) & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  const std::vector<HWND> children = Children();
  ASSERT_EQ(children.size(), 3u);
  EXPECT_EQ(TextW(children[1]), L"KT Geopadra version 2.5");
}

}  // namespace
}  // namespace userdb::test
