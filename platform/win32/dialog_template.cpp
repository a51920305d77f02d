#include "platform/win32/dialog_template.h"

#include <windows.h>

#include <span>
#include <string>

#include "base/little_endian.h"
#include "platform/win32/wide_text.h"

namespace userdb::win32 {
namespace {

constexpr std::uint16_t kOrdinalMarker = 0xFFFF;
constexpr std::uint16_t kExtendedTemplateSignature = 0xFFFF;

std::uint32_t Flag(const ControlEntry& control, std::uint32_t tableFlag, std::uint32_t windowStyle) {
  return control.Has(tableFlag) ? windowStyle : 0;
}

std::uint32_t ButtonStyle(const ControlEntry& control) {
  return control.Has(style::kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

std::uint32_t CheckBoxStyle(const ControlEntry& control) {
  return control.Has(style::kAutoCheckBox) ? BS_AUTOCHECKBOX : BS_CHECKBOX;
}

std::uint32_t ComboBoxStyle(const ControlEntry& control) {
  return (control.Has(style::kDropDown) ? CBS_DROPDOWN : CBS_DROPDOWNLIST) | Flag(control, style::kSorted, CBS_SORT) |
         Flag(control, style::kVerticalScroll, WS_VSCROLL);
}

std::uint32_t EditStyle(const ControlEntry& control) {
  return Flag(control, style::kUpperCase, ES_UPPERCASE) | Flag(control, style::kCentred, ES_CENTER) |
         Flag(control, style::kBorder, WS_BORDER) | Flag(control, style::kMultiLine, ES_MULTILINE) |
         Flag(control, style::kHorizontalScroll, WS_HSCROLL) | Flag(control, style::kVerticalScroll, WS_VSCROLL) |
         Flag(control, style::kAutoHorizontalScroll, ES_AUTOHSCROLL) |
         Flag(control, style::kAutoVerticalScroll, ES_AUTOVSCROLL);
}

// A static text centred vertically is a single line: SS_CENTERIMAGE does that for text.
std::uint32_t StaticStyle(const ControlEntry& control) {
  return (control.Has(style::kCentred) ? SS_CENTER : SS_LEFT) |
         Flag(control, style::kVerticallyCentred, SS_CENTERIMAGE) | Flag(control, style::kSunken, SS_SUNKEN);
}

bool TakesInput(ControlKind kind) { return kind != ControlKind::Static && kind != ControlKind::Icon; }

std::uint16_t ClassAtom(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
      return atom::kButton;
    case ControlKind::ComboBox:
      return atom::kComboBox;
    case ControlKind::Edit:
      return atom::kEdit;
    case ControlKind::Static:
    case ControlKind::Icon:
      return atom::kStatic;
  }
  return atom::kStatic;
}

class TemplateWriter {
 public:
  void Word(std::uint16_t value) {
    Grow(2);
    WriteLe16(Tail(2), 0, value);
  }
  void DoubleWord(std::uint32_t value) {
    Grow(4);
    WriteLe32(Tail(4), 0, value);
  }
  void Short(int value) { Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))); }
  void Byte(std::uint8_t value) { bytes_.push_back(value); }
  void Text(std::string_view text) {
    for (wchar_t unit : WideText(text)) Word(static_cast<std::uint16_t>(unit));
    Word(0);
  }
  void Ordinal(std::uint16_t value) {
    Word(kOrdinalMarker);
    Word(value);
  }
  void AlignToDoubleWord() { bytes_.resize((bytes_.size() + 3) & ~std::size_t{3}, 0); }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  void Grow(std::size_t count) { bytes_.resize(bytes_.size() + count, 0); }
  std::span<std::uint8_t> Tail(std::size_t count) { return std::span(bytes_).last(count); }

  std::vector<std::uint8_t> bytes_;
};

// The window styles the table's kinds and flags stand for.
std::uint32_t DialogStyle(const DialogTemplate& dialog) {
  const std::uint32_t frame = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT;
  return frame | (dialog.minimiseBox ? WS_MINIMIZEBOX : 0);
}

std::uint32_t DialogExtendedStyle(const DialogTemplate& dialog) { return dialog.showInTaskBar ? WS_EX_APPWINDOW : 0; }

std::uint32_t ControlStyle(const ControlEntry& control) {
  std::uint32_t style = WS_CHILD | WS_VISIBLE;
  if (TakesInput(control.kind)) style |= WS_TABSTOP;
  if (!control.enabledAtStart) style |= WS_DISABLED;
  switch (control.kind) {
    case ControlKind::PushButton:
      return style | ButtonStyle(control);
    case ControlKind::CheckBox:
      return style | CheckBoxStyle(control);
    case ControlKind::ComboBox:
      return style | ComboBoxStyle(control);
    case ControlKind::Edit:
      return style | EditStyle(control);
    case ControlKind::Static:
      return style | StaticStyle(control);
    case ControlKind::Icon:
      return style | SS_ICON;
  }
  return style;
}

void WriteRect(TemplateWriter& out, const DialogRect& rect) {
  out.Short(rect.x);
  out.Short(rect.y);
  out.Short(rect.width);
  out.Short(rect.height);
}

// A menu of 0 is none; otherwise the dialog manager loads the resource and makes the window
// taller by the menu bar, so that the client area keeps the template's size.
void WriteMenu(TemplateWriter& out, std::uint16_t menu) {
  if (menu == 0) {
    out.Word(0);
  } else {
    out.Ordinal(menu);
  }
}

void WriteHeader(TemplateWriter& out, const NativeDialog& dialog) {
  out.Word(1);  // extended template version
  out.Word(kExtendedTemplateSignature);
  out.DoubleWord(0);  // help context
  out.DoubleWord(dialog.extendedStyle);
  out.DoubleWord(dialog.style);
  out.Word(static_cast<std::uint16_t>(dialog.controls.size()));
  WriteRect(out, {0, 0, dialog.width, dialog.height});
  WriteMenu(out, dialog.menu);
  out.Word(0);  // the predefined dialog class
  out.Text(dialog.caption);
  out.Word(static_cast<std::uint16_t>(dialog.fontPointSize));
  out.Word(FW_NORMAL);
  out.Byte(0);  // not italic
  out.Byte(DEFAULT_CHARSET);
  out.Text(dialog.fontFace);
}

// An icon control names its icon resource by number instead of carrying a text.
void WriteControl(TemplateWriter& out, const NativeControl& control) {
  out.AlignToDoubleWord();
  out.DoubleWord(0);  // help context
  out.DoubleWord(0);  // extended style
  out.DoubleWord(control.style);
  WriteRect(out, control.rect);
  out.DoubleWord(static_cast<std::uint32_t>(control.id));
  out.Ordinal(control.classAtom);
  if (control.resource != 0) {
    out.Ordinal(control.resource);
  } else {
    out.Text(control.text);
  }
  out.Word(0);  // no creation data
}

NativeControl NativeOf(const ControlEntry& control) {
  const bool icon = control.kind == ControlKind::Icon;
  return NativeControl{.classAtom = ClassAtom(control.kind),
                       .style = ControlStyle(control),
                       .rect = control.rect,
                       .id = control.id,
                       .text = icon ? std::string() : control.text,
                       .resource = static_cast<std::uint16_t>(icon ? control.id : 0)};
}

}  // namespace

std::vector<std::uint8_t> EncodeNativeDialog(const NativeDialog& dialog) {
  TemplateWriter out;
  WriteHeader(out, dialog);
  for (const NativeControl& control : dialog.controls) WriteControl(out, control);
  return out.Take();
}

std::vector<std::uint8_t> EncodeDialogTemplate(const DialogTemplate& dialog, std::uint16_t menu) {
  NativeDialog native{.style = DialogStyle(dialog),
                      .extendedStyle = DialogExtendedStyle(dialog),
                      .width = dialog.width,
                      .height = dialog.height,
                      .menu = menu,
                      .caption = dialog.caption,
                      .fontFace = dialog.fontFace,
                      .fontPointSize = dialog.fontPointSize,
                      .controls = {}};
  for (const ControlEntry& control : dialog.controls) native.controls.push_back(NativeOf(control));
  return EncodeNativeDialog(native);
}

}  // namespace userdb::win32
