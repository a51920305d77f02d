#pragma once
// The file commands' dialogs on Win32, each modal over the main window: the system's file
// dialogs, the import preview, the list of backups and the desktop's program for a file.

#include "platform/win32/windows_header.h"

#include "menus/file_dialogs.h"
#include "platform/win32/win32_window.h"

namespace userdb {

class Win32FileDialogs final : public menus::FileDialogs {
 public:
  // owner: the main window, attached by the time a dialog opens.
  explicit Win32FileDialogs(const Win32Window& owner) : owner_(owner) {}

  std::optional<menus::FileChoice> ChooseFileToOpen(std::string_view title,
                                                    std::span<const menus::FileKind> kinds) override;
  std::optional<menus::FileChoice> ChooseFileToSave(std::string_view title, std::span<const menus::FileKind> kinds,
                                                    const std::filesystem::path& proposed) override;
  std::optional<menus::ImportSettings> ConfirmImport(const std::filesystem::path& file,
                                                     const menus::ImportSettings& start,
                                                     const menus::PreviewOf& preview) override;
  std::optional<std::size_t> ChooseBackup(std::span<const BackupEntry> backups) override;
  bool OpenWithDesktop(const std::filesystem::path& file) override;

 private:
  const Win32Window& owner_;
};

}  // namespace userdb
