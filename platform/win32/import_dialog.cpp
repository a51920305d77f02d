#include "platform/win32/import_dialog.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "menus/attribution.h"
#include "menus/file_kinds.h"
#include "menus/import_preview.h"
#include "platform/win32/file_name_dialog.h"
#include "platform/win32/modal_dialog.h"
#include "platform/win32/native_controls.h"
#include "platform/win32/wide_text.h"

namespace userdb::win32 {
namespace {

using namespace import_dialog;

// Each field follows its label, which the system reads as the field's name.
std::vector<std::uint8_t> ImportTemplate() {
  NativeDialog dialog = ModalFrame("Import points", 320, 282);
  dialog.controls = {
      TextBox(kFile, {7, 7, 306, 8}),
      TextBox(kAttribution, {7, 17, 306, 16}),
      Label("&Near (LAT,LON):", {7, 38, 80, 8}),
      EditField(kNear, {90, 36, 120, 12}),
      Label("&Radius, km:", {7, 54, 80, 8}),
      EditField(kRadius, {90, 52, 50, 12}),
      Label("R&oute (GPX, KML):", {7, 70, 80, 8}),
      EditField(kRoute, {90, 68, 169, 12}),
      PushButton(kBrowseRoute, "&Browse…", {263, 67, 50, 14}, false),
      Label("&Corridor, km:", {7, 86, 80, 8}),
      EditField(kCorridor, {90, 84, 50, 12}),
      Label("&Too many points:", {7, 102, 80, 8}),
      DropDownList(kFit, {90, 100, 120, 60}),
      Label("R&eplace the points of:", {7, 118, 80, 8}),
      EditField(kReplace, {90, 116, 120, 12}),
      TextBox(kSummary, {7, 136, 306, 18}),
      Label("&What the import adds, leaves out or changes:", {7, 156, 306, 8}),
      ListBox(kDetails, {7, 166, 306, 90}, 0),
      PushButton(IDOK, "&Import", {209, 261, 50, 14}, true),
      PushButton(IDCANCEL, "Cancel", {263, 261, 50, 14}, false),
  };
  return EncodeNativeDialog(dialog);
}

std::wstring ItemText(HWND dialog, int id) {
  const HWND item = GetDlgItem(dialog, id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
  return text;
}

class ImportDialog final : public ModalDialog {
 public:
  ImportDialog(const std::filesystem::path& file, const menus::ImportSettings& start, const menus::PreviewOf& preview)
      : file_(file), shown_(start), preview_(preview) {}

  std::optional<menus::ImportSettings> Run(HWND owner) {
    static const std::vector<std::uint8_t> form = ImportTemplate();
    return AcceptedOver(owner, form) ? std::optional(shown_) : std::nullopt;
  }

 private:
  INT_PTR Initialise() override {
    SetDlgItemTextW(Dialog(), kFile, (L"File: " + file_.filename().wstring()).c_str());
    SetDlgItemTextW(Dialog(), kAttribution, WideText(menus::AttributionOf(file_)).c_str());
    SetDlgItemTextW(Dialog(), kNear, WideText(shown_.near).c_str());
    SetDlgItemTextW(Dialog(), kRadius, WideText(shown_.radiusKm).c_str());
    SetDlgItemTextW(Dialog(), kRoute, WideText(shown_.route).c_str());
    SetDlgItemTextW(Dialog(), kCorridor, WideText(shown_.corridorKm).c_str());
    SetDlgItemTextW(Dialog(), kReplace, WideText(shown_.replace).c_str());
    for (const menus::FitChoice& choice : menus::FitChoices()) {
      SendDlgItemMessageW(Dialog(), kFit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(choice.label).c_str()));
    }
    SendDlgItemMessageW(Dialog(), kFit, CB_SETCURSEL, static_cast<WPARAM>(shown_.fit), 0);
    Show(preview_(shown_));
    ready_ = true;
    return TRUE;
  }

  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM /*lParam*/) override {
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    const bool typed = id == kNear || id == kRadius || id == kRoute || id == kCorridor || id == kReplace;
    if (typed && notification == EN_CHANGE) return Refresh();
    if (id == kFit && notification == CBN_SELCHANGE) return Refresh();
    if (id == kBrowseRoute && notification == BN_CLICKED) return BrowseForRoute();
    if (id == IDOK && canImport_) EndDialog(Dialog(), IDOK);
    if (id == IDCANCEL) EndDialog(Dialog(), IDCANCEL);
    return id == IDOK || id == IDCANCEL;
  }

  menus::ImportSettings Typed() const {
    const LRESULT fit = SendDlgItemMessageW(Dialog(), kFit, CB_GETCURSEL, 0, 0);
    return menus::ImportSettings{.near = Utf8Text(ItemText(Dialog(), kNear)),
                                 .radiusKm = Utf8Text(ItemText(Dialog(), kRadius)),
                                 .fit = fit == CB_ERR ? shown_.fit : static_cast<formats::CapacityFit>(fit),
                                 .replace = Utf8Text(ItemText(Dialog(), kReplace)),
                                 .route = Utf8Text(ItemText(Dialog(), kRoute)),
                                 .corridorKm = Utf8Text(ItemText(Dialog(), kCorridor))};
  }

  // The file chosen goes into the field, whose change shows the preview along it.
  INT_PTR BrowseForRoute() {
    const std::optional<menus::FileChoice> chosen =
        ChooseFileName(Dialog(), FileNameUse::Open, "Choose a route", menus::RouteKinds(), {});
    if (chosen) SetDlgItemTextW(Dialog(), kRoute, chosen->path.wstring().c_str());
    return TRUE;
  }

  // The controls' texts set at the start notify changes too: those show nothing new.
  INT_PTR Refresh() {
    if (!ready_) return TRUE;
    const menus::ImportSettings typed = Typed();
    if (typed == shown_) return TRUE;
    shown_ = typed;
    Show(preview_(shown_));
    return TRUE;
  }

  void Show(const menus::ImportPreview& preview) {
    SetDlgItemTextW(Dialog(), kSummary, WideText(preview.summary).c_str());
    const HWND details = GetDlgItem(Dialog(), kDetails);
    SendMessageW(details, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : preview.details) {
      SendMessageW(details, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(line).c_str()));
    }
    canImport_ = preview.canImport;
    EnableWindow(GetDlgItem(Dialog(), IDOK), canImport_ ? TRUE : FALSE);
  }

  const std::filesystem::path& file_;
  menus::ImportSettings shown_;  // the settings of the preview shown
  const menus::PreviewOf& preview_;
  bool canImport_ = false;
  bool ready_ = false;
};

}  // namespace

std::optional<menus::ImportSettings> RunImportDialog(HWND owner, const std::filesystem::path& file,
                                                     const menus::ImportSettings& start,
                                                     const menus::PreviewOf& preview) {
  return ImportDialog(file, start, preview).Run(owner);
}

}  // namespace userdb::win32
