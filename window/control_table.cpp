#include "window/control_table.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "window/control_ids.h"

namespace userdb {

namespace {

// Main window geometry, dialog units.
constexpr int kFormWidth = 525;
constexpr int kFormHeight = 314;

constexpr int kInfoTop = 4;
constexpr int kPortRowTop = 13;
constexpr int kPortRowHeight = 20;
constexpr int kHeaderLine1Top = 35;
constexpr int kHeaderLine2Top = 45;
constexpr int kHeaderLeft = 55;
constexpr int kRowTop = 56;
constexpr int kRowPitch = 32;
constexpr int kNoteLineOffset = 16;

constexpr int kLabelHeight = 8;
constexpr int kFieldHeight = 14;
constexpr int kButtonHeight = 20;

constexpr int kRowCheckLeft = 13;
constexpr int kLongitudeLeft = 53;
constexpr int kLatitudeLeft = 173;
constexpr int kCoordinateFieldWidth = 19;
constexpr int kCoordinateFieldPitch = 20;
constexpr int kSpeedLeft = 293;
constexpr int kDirectionLeft = 323;
constexpr int kTypeLeft = 353;
constexpr int kValueFieldWidth = 24;
constexpr int kNoteLabelLeft = 153;
constexpr int kNoteLeft = 173;
constexpr int kNoteRight = 377;

constexpr int kRightColumnLeft = 385;
constexpr int kRightColumnWidth = 515 - kRightColumnLeft;

// Arial 8 pt: an average character is 4 dialog units wide (that is how the unit is defined),
// a blank about 2. Good enough to line header titles up with their columns.
constexpr int kGlyphWidth = 4;
constexpr int kBlankWidth = 2;

constexpr std::uint32_t kRowFieldStyles =
    style::kUpperCase | style::kCentred | style::kBorder | style::kAutoHorizontalScroll;
constexpr std::uint32_t kNoteFieldStyles = style::kBorder | style::kAutoHorizontalScroll;
constexpr std::uint32_t kFramedLabelStyles = style::kCentred | style::kVerticallyCentred | style::kSunken;

ControlEntry Control(int id, ControlKind kind, std::string text, DialogRect rect, std::uint32_t styles = style::kNone,
                     bool enabledAtStart = true) {
  return ControlEntry{id, kind, std::move(text), rect, styles, enabledAtStart};
}

ControlEntry Label(int id, std::string text, DialogRect rect, std::uint32_t styles = style::kNone) {
  return Control(id, ControlKind::Static, std::move(text), rect, styles);
}

ControlEntry Button(int id, std::string caption, DialogRect rect, bool enabledAtStart,
                    std::uint32_t styles = style::kNone) {
  return Control(id, ControlKind::PushButton, std::move(caption), rect, styles, enabledAtStart);
}

ControlEntry Field(int id, DialogRect rect, std::uint32_t styles) {
  return Control(id, ControlKind::Edit, "", rect, styles);
}

int CentreOf(int left, int width) { return left + width / 2; }

int CoordinateFieldLeft(int firstLeft, int part) { return firstLeft + part * kCoordinateFieldPitch; }

struct ColumnTitle {
  int centreX;
  std::string_view text;
};

// One static text carries a whole header line, so its titles are placed with blanks.
std::string SpacedOver(int originX, std::initializer_list<ColumnTitle> titles) {
  std::string line;
  int cursor = originX;
  for (const ColumnTitle& title : titles) {
    const int titleWidth = static_cast<int>(title.text.size()) * kGlyphWidth;
    const int start = title.centreX - titleWidth / 2;
    const int blanks = std::max(line.empty() ? 0 : 1, (start - cursor) / kBlankWidth);
    line.append(static_cast<std::size_t>(blanks), ' ');
    line += title.text;
    cursor += blanks * kBlankWidth + titleWidth;
  }
  return line;
}

std::string ColumnTitlesLine() {
  const int coordinateSpan = 4 * kCoordinateFieldPitch + kCoordinateFieldWidth;
  return SpacedOver(kHeaderLeft, {{CentreOf(kLongitudeLeft, coordinateSpan), "Longitude"},
                                  {CentreOf(kLatitudeLeft, coordinateSpan), "Latitude"},
                                  {CentreOf(kSpeedLeft, kValueFieldWidth), "Speed"},
                                  {CentreOf(kDirectionLeft, kValueFieldWidth), "Direction"},
                                  {CentreOf(kTypeLeft, kValueFieldWidth), "Type"}});
}

int MarkCentre(int firstLeft, int part) {
  return CentreOf(CoordinateFieldLeft(firstLeft, part), kCoordinateFieldWidth);
}

// Hemisphere, degrees, minutes, seconds and hundredths; the texts are Windows-1252.
std::string CoordinateMarksLine() {
  constexpr std::string_view kDegree = "\xB0";
  return SpacedOver(kHeaderLeft, {{MarkCentre(kLongitudeLeft, 0), "E/W"},
                                  {MarkCentre(kLongitudeLeft, 1), kDegree},
                                  {MarkCentre(kLongitudeLeft, 2), "'"},
                                  {MarkCentre(kLongitudeLeft, 3), "."},
                                  {MarkCentre(kLongitudeLeft, 4), "\""},
                                  {MarkCentre(kLatitudeLeft, 0), "N/S"},
                                  {MarkCentre(kLatitudeLeft, 1), kDegree},
                                  {MarkCentre(kLatitudeLeft, 2), "'"},
                                  {MarkCentre(kLatitudeLeft, 3), "."},
                                  {MarkCentre(kLatitudeLeft, 4), "\""}});
}

void AddDeviceInformation(std::vector<ControlEntry>& controls) {
  controls.push_back(Label(ids::kSerialNumberLabel, "Serial Number :", {13, kInfoTop, 120, kLabelHeight}));
  controls.push_back(Label(ids::kDatabaseVersionLabel, "Database Version :", {138, kInfoTop, 150, kLabelHeight}));
  controls.push_back(Label(ids::kFirmwareVersionLabel, "Firmware Version :", {294, kInfoTop, 114, kLabelHeight}));
  controls.push_back(Label(ids::kHardwareVersionLabel, "Hardware Version :", {413, kInfoTop, 102, kLabelHeight}));
}

void AddPortRow(std::vector<ControlEntry>& controls) {
  // A combo box's height is that of its dropped-down list.
  controls.push_back(Control(ids::kPortList, ControlKind::ComboBox, "", {10, kPortRowTop + 4, 48, 56},
                             style::kDropDown | style::kSorted | style::kVerticalScroll));
  controls.push_back(Button(ids::kAutoOpenPort, "Auto Open COM Port", {61, kPortRowTop, 70, kPortRowHeight}, true));
  controls.push_back(Button(ids::kOpenPort, "Open COM Port", {134, kPortRowTop, 56, kPortRowHeight}, true));
  controls.push_back(Label(ids::kStatic, "Please input data increase progressively in a proper order",
                           {193, kPortRowTop, 208, kPortRowHeight}, kFramedLabelStyles));
  controls.push_back(Button(ids::kLoadDatabase, "Load user database from device",
                            {403, kPortRowTop, 112, kPortRowHeight}, false, style::kDefaultButton));
}

void AddHeader(std::vector<ControlEntry>& controls) {
  controls.push_back(Button(ids::kClearData, "Clear data", {kRowCheckLeft, 39, 38, kFieldHeight}, false));
  controls.push_back(Label(ids::kStatic, ColumnTitlesLine(), {kHeaderLeft, kHeaderLine1Top, 325, kLabelHeight}));
  controls.push_back(Label(ids::kStatic, CoordinateMarksLine(), {kHeaderLeft, kHeaderLine2Top, 225, kLabelHeight}));
  controls.push_back(Label(ids::kUnitLabel, "kilometer", {289, 43, 32, kLabelHeight}, style::kCentred));
}

void AddCoordinateFields(std::vector<ControlEntry>& controls, int row, int top, int firstLeft,
                         int (*fieldId)(int, ids::CoordinatePart)) {
  for (int part = 0; part < kCoordinateFieldCount; ++part) {
    const DialogRect rect{CoordinateFieldLeft(firstLeft, part), top, kCoordinateFieldWidth, kFieldHeight};
    controls.push_back(Field(fieldId(row, static_cast<ids::CoordinatePart>(part)), rect, kRowFieldStyles));
  }
}

void AddRow(std::vector<ControlEntry>& controls, int row) {
  const int top = kRowTop + row * kRowPitch;
  const int noteTop = top + kNoteLineOffset;
  controls.push_back(Control(ids::RowCheck(row), ControlKind::CheckBox, " NO." + std::to_string(row),
                             {kRowCheckLeft, top, 38, kFieldHeight}, style::kAutoCheckBox));
  AddCoordinateFields(controls, row, top, kLongitudeLeft, ids::LongitudeField);
  AddCoordinateFields(controls, row, top, kLatitudeLeft, ids::LatitudeField);
  controls.push_back(Field(ids::SpeedField(row), {kSpeedLeft, top, kValueFieldWidth, kFieldHeight}, kRowFieldStyles));
  controls.push_back(
      Field(ids::DirectionField(row), {kDirectionLeft, top, kValueFieldWidth, kFieldHeight}, kRowFieldStyles));
  controls.push_back(Field(ids::TypeField(row), {kTypeLeft, top, kValueFieldWidth, kFieldHeight}, kRowFieldStyles));
  controls.push_back(Label(ids::kStatic, "Note :", {kNoteLabelLeft, noteTop, 18, kLabelHeight}));
  controls.push_back(
      Field(ids::NoteField(row), {kNoteLeft, noteTop, kNoteRight - kNoteLeft, kFieldHeight}, kNoteFieldStyles));
}

DialogRect RightColumnButton(int top) { return {kRightColumnLeft, top, kRightColumnWidth, kButtonHeight}; }

void AddRightColumn(std::vector<ControlEntry>& controls) {
  controls.push_back(Label(ids::kPageLabel, "Please Load User Database",
                           {kRightColumnLeft, kRowTop, kRightColumnWidth, kButtonHeight}, kFramedLabelStyles));
  controls.push_back(Button(ids::kNextPage, "Read next page", RightColumnButton(80), false));
  controls.push_back(Button(ids::kPreviousPage, "Read previous page", RightColumnButton(106), false));
  controls.push_back(Button(ids::kSavePage, "Save this page", RightColumnButton(132), false));
  controls.push_back(Button(ids::kExitAndWrite, "EXIT and write to  Device", RightColumnButton(160), false));
  controls.push_back(Button(ids::kExit, "Exit ", RightColumnButton(186), true));
  controls.push_back(Control(ids::kStatusBox, ControlKind::Edit, "", {kRightColumnLeft, 209, kRightColumnWidth, 101},
                             style::kMultiLine | style::kBorder | style::kHorizontalScroll | style::kVerticalScroll |
                                 style::kAutoHorizontalScroll | style::kAutoVerticalScroll));
}

DialogTemplate BuildMainForm() {
  DialogTemplate form;
  form.resourceId = kMainFormTemplateId;
  form.caption = kMainWindowCaption;
  form.width = kFormWidth;
  form.height = kFormHeight;
  form.fontFace = "Arial";
  form.fontPointSize = 8;
  form.minimiseBox = true;
  form.showInTaskBar = true;
  // Listed in tab order: top to bottom, the right-hand column last.
  AddDeviceInformation(form.controls);
  AddPortRow(form.controls);
  AddHeader(form.controls);
  for (int row = 0; row < kRowsPerPage; ++row) AddRow(form.controls, row);
  AddRightColumn(form.controls);
  return form;
}

DialogTemplate BuildAboutBox() {
  DialogTemplate about;
  about.resourceId = kAboutBoxTemplateId;
  about.caption = "關於 Geopadra";
  about.width = 235;
  about.height = 55;
  about.fontFace = "新細明體";
  about.fontPointSize = 9;
  about.controls.push_back(Control(ids::kAboutIcon, ControlKind::Icon, "", {11, 17, 20, 20}));
  about.controls.push_back(Label(ids::kStatic, "KT Geopadra version 2.5", {40, 10, 130, kLabelHeight}));
  about.controls.push_back(Button(ids::kAboutOk, "確定", {178, 7, 50, 14}, true, style::kDefaultButton));
  return about;
}

// The three formats give every entry three zero-padded digits, so sorting keeps numeric order.
const char* PortNameFormat(int port) {
  if (port < 10) return "COM00%d";
  if (port < 100) return "COM0%d";
  return "COM%d";
}

}  // namespace

const ControlEntry* DialogTemplate::Find(int id) const {
  const auto found = std::find_if(controls.begin(), controls.end(), [id](const ControlEntry& c) { return c.id == id; });
  return found == controls.end() ? nullptr : &*found;
}

const DialogTemplate& MainFormTemplate() {
  static const DialogTemplate form = BuildMainForm();
  return form;
}

const DialogTemplate& AboutBoxTemplate() {
  static const DialogTemplate about = BuildAboutBox();
  return about;
}

std::string_view AboutMenuItemText() { return "關於 Geopadra(&A)..."; }

std::vector<std::string> PortListEntries() {
  std::vector<std::string> entries;
  entries.reserve(kPortCount);
  for (int port = 1; port <= kPortCount; ++port) {
    char name[16];
    std::snprintf(name, sizeof name, PortNameFormat(port), port);
    entries.emplace_back(name);
  }
  return entries;
}

}  // namespace userdb
