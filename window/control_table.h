#pragma once
// The main window (template 102), the About box (template 100) and string 101, as data.
// Every front-end builds its windows from these tables and from nothing else.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace userdb {

// An Icon control's ID is also the icon resource it shows.
enum class ControlKind { PushButton, CheckBox, ComboBox, Edit, Static, Icon };

namespace style {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kDefaultButton = 1u << 0;
inline constexpr std::uint32_t kUpperCase = 1u << 1;
inline constexpr std::uint32_t kCentred = 1u << 2;  // horizontally
inline constexpr std::uint32_t kVerticallyCentred = 1u << 3;
inline constexpr std::uint32_t kSunken = 1u << 4;
inline constexpr std::uint32_t kBorder = 1u << 5;
inline constexpr std::uint32_t kMultiLine = 1u << 6;
inline constexpr std::uint32_t kHorizontalScroll = 1u << 7;  // scroll bar
inline constexpr std::uint32_t kVerticalScroll = 1u << 8;    // scroll bar
inline constexpr std::uint32_t kAutoHorizontalScroll = 1u << 9;
inline constexpr std::uint32_t kAutoVerticalScroll = 1u << 10;
inline constexpr std::uint32_t kSorted = 1u << 11;
inline constexpr std::uint32_t kDropDown = 1u << 12;  // combo box with an edit field
inline constexpr std::uint32_t kAutoCheckBox = 1u << 13;
}  // namespace style

struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct ControlEntry {
  int id = 0;  // ids::kStatic for texts the program never addresses
  ControlKind kind = ControlKind::Static;
  std::string text;  // caption or initial text, 8-bit as the window shows it
  DialogRect rect;   // dialog units
  std::uint32_t styles = style::kNone;
  bool enabledAtStart = true;

  bool Has(std::uint32_t flag) const { return (styles & flag) != 0; }
};

struct DialogTemplate {
  int resourceId = 0;
  std::string caption;  // UTF-8 where it is not plain ASCII
  int width = 0;        // dialog units
  int height = 0;
  std::string fontFace;  // UTF-8
  int fontPointSize = 0;
  bool minimiseBox = false;
  bool showInTaskBar = false;  // application-window flag
  std::vector<ControlEntry> controls;

  const ControlEntry* Find(int id) const;
};

inline constexpr std::string_view kMainWindowCaption = "BT GPS Vardenholmics - User Database Utility";
inline constexpr int kMainFormTemplateId = 102;
inline constexpr int kAboutBoxTemplateId = 100;
inline constexpr int kAboutMenuStringId = 101;
inline constexpr unsigned kAboutMenuCommand = 0x10;

const DialogTemplate& MainFormTemplate();
const DialogTemplate& AboutBoxTemplate();

// String 101: the system-menu item that opens the About box ("A" is its mnemonic). UTF-8.
std::string_view AboutMenuItemText();

// True when a system command opens the About box (identifiers 0x10 to 0x1F).
constexpr bool IsAboutCommand(unsigned systemCommand) { return (systemCommand & 0xFFF0u) == kAboutMenuCommand; }

// The PortList's 256 entries, COM001 to COM256; entry i names port i + 1.
inline constexpr int kPortCount = 256;
std::vector<std::string> PortListEntries();
inline constexpr int kInitialPortSelection = 1;  // COM002

}  // namespace userdb
