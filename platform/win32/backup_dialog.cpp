#include "platform/win32/backup_dialog.h"

#include <array>
#include <string>
#include <vector>

#include "app/backup_note.h"
#include "platform/win32/modal_dialog.h"
#include "platform/win32/native_controls.h"
#include "platform/win32/wide_text.h"

namespace userdb::win32 {
namespace {

using backup_dialog::kList;

// The list's columns, in dialog units from its left edge; the headings stand above them.
constexpr int kListLeft = 7;
constexpr std::array<int, 3> kTabStops{88, 150, 185};
constexpr int kHeadingInset = 2;  // the list's border and margin

std::vector<std::uint8_t> BackupTemplate() {
  NativeDialog dialog = ModalFrame("Restore backup", 320, 170);
  dialog.controls = {
      Label("Taken", {kListLeft + kHeadingInset, 20, 80, 8}),
      Label("Serial number", {kListLeft + kHeadingInset + kTabStops[0], 20, 60, 8}),
      Label("Points", {kListLeft + kHeadingInset + kTabStops[1], 20, 34, 8}),
      Label("Note", {kListLeft + kHeadingInset + kTabStops[2], 20, 100, 8}),
      Label("&Backups, newest first:", {kListLeft, 7, 306, 8}),
      ListBox(kList, {kListLeft, 30, 306, 114}, LBS_USETABSTOPS),
      PushButton(IDOK, "&Restore", {209, 149, 50, 14}, true),
      PushButton(IDCANCEL, "Cancel", {263, 149, 50, 14}, false),
  };
  return EncodeNativeDialog(dialog);
}

std::string EntryLine(const BackupEntry& entry) {
  const std::string serial = entry.serialNumber ? std::to_string(*entry.serialNumber) : "-";
  return entry.taken + '\t' + serial + '\t' + std::to_string(entry.points) + '\t' + BackupNote(entry);
}

class BackupDialog final : public ModalDialog {
 public:
  explicit BackupDialog(std::span<const BackupEntry> backups) : backups_(backups) {}

  std::optional<std::size_t> Run(HWND owner) {
    static const std::vector<std::uint8_t> form = BackupTemplate();
    return AcceptedOver(owner, form) ? std::optional(chosen_) : std::nullopt;
  }

 private:
  INT_PTR Initialise() override {
    const HWND list = GetDlgItem(Dialog(), kList);
    std::array<INT, kTabStops.size()> stops{kTabStops[0], kTabStops[1], kTabStops[2]};
    SendMessageW(list, LB_SETTABSTOPS, stops.size(), reinterpret_cast<LPARAM>(stops.data()));
    for (const BackupEntry& entry : backups_) {
      SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(EntryLine(entry)).c_str()));
    }
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    return TRUE;
  }

  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM /*lParam*/) override {
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    if (id == IDOK || (id == kList && HIWORD(wParam) == LBN_DBLCLK)) return Choose();
    if (id == IDCANCEL) EndDialog(Dialog(), IDCANCEL);
    return id == IDCANCEL;
  }

  INT_PTR Choose() {
    const LRESULT selected = SendDlgItemMessageW(Dialog(), kList, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return TRUE;
    chosen_ = static_cast<std::size_t>(selected);
    EndDialog(Dialog(), IDOK);
    return TRUE;
  }

  std::span<const BackupEntry> backups_;
  std::size_t chosen_ = 0;
};

}  // namespace

std::optional<std::size_t> RunBackupDialog(HWND owner, std::span<const BackupEntry> backups) {
  return BackupDialog(backups).Run(owner);
}

}  // namespace userdb::win32
