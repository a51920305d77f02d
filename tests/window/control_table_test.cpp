#include "window/control_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "window/control_ids.h"

namespace userdb {
namespace {

constexpr std::uint32_t kRowFieldStyles =
    style::kUpperCase | style::kCentred | style::kBorder | style::kAutoHorizontalScroll;

const ControlEntry& MainControl(int id) {
  const ControlEntry* control = MainFormTemplate().Find(id);
  EXPECT_NE(control, nullptr) << "control " << id;
  static const ControlEntry missing;
  return control != nullptr ? *control : missing;
}

std::vector<const ControlEntry*> StaticsWithText(const DialogTemplate& form, std::string_view text) {
  std::vector<const ControlEntry*> found;
  for (const ControlEntry& control : form.controls) {
    if (control.id == ids::kStatic && control.text == text) found.push_back(&control);
  }
  return found;
}

bool Inside(const DialogRect& rect, const DialogTemplate& form) {
  return rect.x >= 0 && rect.y >= 0 && rect.width > 0 && rect.height > 0 && rect.x + rect.width <= form.width &&
         rect.y + rect.height <= form.height;
}

bool Overlap(const DialogRect& a, const DialogRect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

TEST(MainFormTemplate, WindowFacts) {
  const DialogTemplate& form = MainFormTemplate();
  EXPECT_EQ(form.resourceId, 102);
  EXPECT_EQ(form.caption, "BT GPS Vardenholmics - User Database Utility");
  EXPECT_EQ(form.width, 525);
  EXPECT_EQ(form.height, 314);
  EXPECT_EQ(form.fontFace, "Arial");
  EXPECT_EQ(form.fontPointSize, 8);
  EXPECT_TRUE(form.minimiseBox);
  EXPECT_TRUE(form.showInTaskBar);
}

TEST(MainFormTemplate, Has148ControlsWithUniqueIdsExceptStatics) {
  const DialogTemplate& form = MainFormTemplate();
  ASSERT_EQ(form.controls.size(), 148u);
  std::set<int> seen;
  int statics = 0;
  for (const ControlEntry& control : form.controls) {
    if (control.id == ids::kStatic) {
      EXPECT_EQ(control.kind, ControlKind::Static);
      ++statics;
      continue;
    }
    EXPECT_TRUE(seen.insert(control.id).second) << "duplicate ID " << control.id;
  }
  // Hint, two header lines and eight "Note :" labels.
  EXPECT_EQ(statics, 11);
  EXPECT_EQ(StaticsWithText(form, "Note :").size(), 8u);
  EXPECT_EQ(StaticsWithText(form, "Please input data increase progressively in a proper order").size(), 1u);
}

TEST(MainFormTemplate, EveryRowFieldIsAnUpperCaseCentredEditExceptTheLeftAlignedNote) {
  for (int row = 0; row < kRowsPerPage; ++row) {
    for (int part = 0; part < kCoordinateFieldCount; ++part) {
      for (int base : {1001, 1041}) {
        const ControlEntry& field = MainControl(base + 5 * row + part);
        EXPECT_EQ(field.kind, ControlKind::Edit);
        EXPECT_EQ(field.styles, kRowFieldStyles) << field.id;
        EXPECT_EQ(field.rect.width, 19) << field.id;
      }
    }
    for (int base : {1081, 1089, 1097}) {
      const ControlEntry& field = MainControl(base + row);
      EXPECT_EQ(field.kind, ControlKind::Edit);
      EXPECT_EQ(field.styles, kRowFieldStyles) << field.id;
      EXPECT_EQ(field.rect.width, 24) << field.id;
    }
    const ControlEntry& note = MainControl(1105 + row);
    EXPECT_EQ(note.kind, ControlKind::Edit);
    EXPECT_EQ(note.styles, style::kBorder | style::kAutoHorizontalScroll);
    EXPECT_NEAR(note.rect.width, 204, 4);

    const ControlEntry& rowCheck = MainControl(1233 + row);
    EXPECT_EQ(rowCheck.kind, ControlKind::CheckBox);
    EXPECT_TRUE(rowCheck.Has(style::kAutoCheckBox));
    EXPECT_EQ(rowCheck.text, " NO." + std::to_string(row));
  }
}

TEST(MainFormTemplate, RowFieldsAreEmptyEnabledAndOnTheirRowLines) {
  for (int row = 0; row < kRowsPerPage; ++row) {
    const int firstLine = 56 + 32 * row;
    EXPECT_EQ(MainControl(ids::RowCheck(row)).rect.y, firstLine);
    for (int index = 0; index < kRowFieldCount; ++index) {
      const ControlEntry& field = MainControl(ids::RowField(row, index));
      EXPECT_TRUE(field.text.empty()) << field.id;
      EXPECT_TRUE(field.enabledAtStart) << field.id;
      EXPECT_EQ(field.rect.height, 14) << field.id;
      const bool isNote = index == kRowFieldCount - 1;
      EXPECT_EQ(field.rect.y, isNote ? firstLine + 16 : firstLine) << field.id;
    }
  }
  const int columnLefts[] = {53, 73, 93, 113, 133, 173, 193, 213, 233, 253, 293, 323, 353, 173};
  for (int index = 0; index < kRowFieldCount; ++index) {
    EXPECT_EQ(MainControl(ids::RowField(3, index)).rect.x, columnLefts[index]) << index;
  }
}

TEST(MainFormTemplate, BoundControlsCaptionsAndEnabledStates) {
  struct Expected {
    int id;
    ControlKind kind;
    std::string text;
    bool enabled;
  };
  const Expected bound[] = {
      {1252, ControlKind::ComboBox, "", true},
      {1681, ControlKind::PushButton, "Open COM Port", true},
      {1, ControlKind::PushButton, "Load user database from device", false},
      {1682, ControlKind::PushButton, "Clear data", false},
      {1677, ControlKind::PushButton, "Read next page", false},
      {1679, ControlKind::PushButton, "Read previous page", false},
      {1680, ControlKind::PushButton, "Save this page", false},
      {3, ControlKind::PushButton, "EXIT and write to  Device", false},
      {1683, ControlKind::PushButton, "Auto Open COM Port", true},
  };
  for (const Expected& expected : bound) {
    const ControlEntry& control = MainControl(expected.id);
    EXPECT_EQ(control.kind, expected.kind) << expected.id;
    EXPECT_EQ(control.text, expected.text) << expected.id;
    EXPECT_EQ(control.enabledAtStart, expected.enabled) << expected.id;
  }
  EXPECT_TRUE(MainControl(1).Has(style::kDefaultButton));
  EXPECT_EQ(std::count_if(MainFormTemplate().controls.begin(), MainFormTemplate().controls.end(),
                          [](const ControlEntry& c) { return c.Has(style::kDefaultButton); }),
            1);
  const ControlEntry& portList = MainControl(1252);
  EXPECT_TRUE(portList.Has(style::kDropDown) && portList.Has(style::kSorted) && portList.Has(style::kVerticalScroll));
}

TEST(MainFormTemplate, OtherTextsByteForByte) {
  const std::map<int, std::string> texts = {
      {2, "Exit "},
      {1678, "Please Load User Database"},
      {1209, ""},
      {1249, "kilometer"},
      {1253, "Serial Number :"},
      {1254, "Database Version :"},
      {1255, "Firmware Version :"},
      {1256, "Hardware Version :"},
  };
  for (const auto& [id, text] : texts) EXPECT_EQ(MainControl(id).text, text) << id;
  EXPECT_TRUE(MainControl(2).enabledAtStart);

  const ControlEntry& statusBox = MainControl(1209);
  EXPECT_EQ(statusBox.kind, ControlKind::Edit);
  for (std::uint32_t flag : {style::kMultiLine, style::kBorder, style::kHorizontalScroll, style::kVerticalScroll,
                             style::kAutoHorizontalScroll, style::kAutoVerticalScroll}) {
    EXPECT_TRUE(statusBox.Has(flag)) << flag;
  }
  EXPECT_FALSE(statusBox.Has(style::kUpperCase));
  EXPECT_TRUE(MainControl(1678).Has(style::kSunken));
}

TEST(MainFormTemplate, HeaderLinesCarryTitlesAndMarksInColumnOrder) {
  const DialogTemplate& form = MainFormTemplate();
  const ControlEntry* titles = nullptr;
  const ControlEntry* marks = nullptr;
  for (const ControlEntry& control : form.controls) {
    if (control.id != ids::kStatic) continue;
    if (control.text.find("Longitude") != std::string::npos) titles = &control;
    if (control.text.find("E/W") != std::string::npos) marks = &control;
  }
  ASSERT_NE(titles, nullptr);
  ASSERT_NE(marks, nullptr);
  EXPECT_EQ(titles->rect.y, 35);
  EXPECT_EQ(marks->rect.y, 45);

  std::size_t last = 0;
  for (std::string_view title : {"Longitude", "Latitude", "Speed", "Direction", "Type"}) {
    const std::size_t at = titles->text.find(title, last);
    ASSERT_NE(at, std::string::npos) << title;
    EXPECT_TRUE(at == 0 || titles->text[at - 1] == ' ') << title;
    last = at + title.size();
  }
  // Non-blank marks, each separated by blanks: E/W ° ' . " N/S ° ' . "
  const std::string degree = "\xB0";
  const std::vector<std::string> expectedMarks = {"E/W", degree, "'", ".", "\"", "N/S", degree, "'", ".", "\""};
  std::vector<std::string> words;
  std::string word;
  for (char c : marks->text + ' ') {
    if (c != ' ') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  EXPECT_EQ(words, expectedMarks);
}

TEST(MainFormTemplate, EveryControlLiesInsideTheWindowAndNoneOverlap) {
  const DialogTemplate& form = MainFormTemplate();
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    const ControlEntry& control = form.controls[i];
    EXPECT_TRUE(Inside(control.rect, form)) << "control " << control.id << " " << control.text;
    // A combo box's rectangle includes its list, which drops over the controls below.
    if (control.kind == ControlKind::ComboBox) continue;
    for (std::size_t j = i + 1; j < form.controls.size(); ++j) {
      if (form.controls[j].kind == ControlKind::ComboBox) continue;
      EXPECT_FALSE(Overlap(control.rect, form.controls[j].rect))
          << control.id << " '" << control.text << "' and " << form.controls[j].id << " '" << form.controls[j].text
          << "'";
    }
  }
}

TEST(MainFormTemplate, TabOrderRunsFromPortRowThroughRowsToRightColumn) {
  const std::vector<ControlEntry>& controls = MainFormTemplate().controls;
  const auto position = [&](int id) {
    return std::find_if(controls.begin(), controls.end(), [id](const ControlEntry& c) { return c.id == id; }) -
           controls.begin();
  };
  EXPECT_LT(position(ids::kPortList), position(ids::kOpenPort));
  EXPECT_LT(position(ids::kLoadDatabase), position(ids::RowCheck(0)));
  for (int row = 0; row < kRowsPerPage; ++row) {
    for (int index = 0; index + 1 < kRowFieldCount; ++index) {
      EXPECT_LT(position(ids::RowField(row, index)), position(ids::RowField(row, index + 1)));
    }
    if (row + 1 < kRowsPerPage) {
      EXPECT_LT(position(ids::NoteField(row)), position(ids::RowCheck(row + 1)));
    }
  }
  EXPECT_LT(position(ids::NoteField(7)), position(ids::kNextPage));
  EXPECT_LT(position(ids::kExit), position(ids::kStatusBox));
}

TEST(AboutBoxTemplate, MatchesTemplate100) {
  const DialogTemplate& about = AboutBoxTemplate();
  EXPECT_EQ(about.resourceId, 100);
  EXPECT_EQ(about.caption, "關於 Geopadra");
  EXPECT_EQ(about.width, 235);
  EXPECT_EQ(about.height, 55);
  EXPECT_EQ(about.fontFace, "新細明體");
  EXPECT_EQ(about.fontPointSize, 9);
  EXPECT_FALSE(about.minimiseBox);
  ASSERT_EQ(about.controls.size(), 3u);

  const ControlEntry* icon = about.Find(ids::kAboutIcon);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->kind, ControlKind::Icon);
  EXPECT_EQ(icon->rect.x, 11);
  EXPECT_EQ(icon->rect.y, 17);

  const std::vector<const ControlEntry*> version = StaticsWithText(about, "KT Geopadra version 2.5");
  ASSERT_EQ(version.size(), 1u);
  EXPECT_EQ(version[0]->rect.x, 40);
  EXPECT_EQ(version[0]->rect.y, 10);

  const ControlEntry* ok = about.Find(ids::kAboutOk);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->kind, ControlKind::PushButton);
  EXPECT_EQ(ok->text, "確定");
  EXPECT_TRUE(ok->Has(style::kDefaultButton));
  EXPECT_EQ(ok->rect.x, 178);
  EXPECT_EQ(ok->rect.y, 7);
  EXPECT_EQ(ok->rect.width, 50);
  EXPECT_EQ(ok->rect.height, 14);
  for (const ControlEntry& control : about.controls) EXPECT_TRUE(Inside(control.rect, about)) << control.text;
}

TEST(AboutMenu, ItemTextAndCommandRange) {
  EXPECT_EQ(AboutMenuItemText(), "關於 Geopadra(&A)...");
  for (unsigned command = 0x10; command <= 0x1F; ++command) EXPECT_TRUE(IsAboutCommand(command)) << command;
  EXPECT_FALSE(IsAboutCommand(0x0F));
  EXPECT_FALSE(IsAboutCommand(0x20));
  EXPECT_FALSE(IsAboutCommand(0xF060));  // Close
  EXPECT_FALSE(IsAboutCommand(0xF020));  // Minimise
}

TEST(PortListEntries, ZeroPaddedNamesInNumericAndSortedOrder) {
  const std::vector<std::string> entries = PortListEntries();
  ASSERT_EQ(entries.size(), 256u);
  EXPECT_EQ(entries[0], "COM001");
  EXPECT_EQ(entries[kInitialPortSelection], "COM002");
  EXPECT_EQ(entries[8], "COM009");
  EXPECT_EQ(entries[9], "COM010");
  EXPECT_EQ(entries[98], "COM099");
  EXPECT_EQ(entries[99], "COM100");
  EXPECT_EQ(entries[255], "COM256");
  for (const std::string& entry : entries) EXPECT_EQ(entry.size(), 6u) << entry;
  EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end()));
  EXPECT_EQ(std::set<std::string>(entries.begin(), entries.end()).size(), entries.size());
}

}  // namespace
}  // namespace userdb
