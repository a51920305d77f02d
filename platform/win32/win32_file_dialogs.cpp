#include "platform/win32/win32_file_dialogs.h"

#include <shellapi.h>

#include "platform/win32/backup_dialog.h"
#include "platform/win32/file_name_dialog.h"
#include "platform/win32/import_dialog.h"

namespace userdb {

std::optional<menus::FileChoice> Win32FileDialogs::ChooseFileToOpen(std::string_view title,
                                                                    std::span<const menus::FileKind> kinds) {
  return win32::ChooseFileName(owner_.Handle(), win32::FileNameUse::Open, title, kinds, {});
}

std::optional<menus::FileChoice> Win32FileDialogs::ChooseFileToSave(std::string_view title,
                                                                    std::span<const menus::FileKind> kinds,
                                                                    const std::filesystem::path& proposed) {
  return win32::ChooseFileName(owner_.Handle(), win32::FileNameUse::Save, title, kinds, proposed);
}

std::optional<menus::ImportSettings> Win32FileDialogs::ConfirmImport(const std::filesystem::path& file,
                                                                     const menus::ImportSettings& start,
                                                                     const menus::PreviewOf& preview) {
  return win32::RunImportDialog(owner_.Handle(), file, start, preview);
}

std::optional<std::size_t> Win32FileDialogs::ChooseBackup(std::span<const BackupEntry> backups) {
  return win32::RunBackupDialog(owner_.Handle(), backups);
}

// ShellExecuteW answers a number above 32 when a program took the file.
bool Win32FileDialogs::OpenWithDesktop(const std::filesystem::path& file) {
  const HINSTANCE result = ShellExecuteW(owner_.Handle(), L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace userdb
