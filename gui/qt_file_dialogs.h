#pragma once
// The file commands' dialogs on Qt: the platform's file dialogs, the import preview, the list
// of backups and the desktop's program for a file.

#include <QWidget>

#include "menus/file_dialogs.h"

namespace userdb {

class QtFileDialogs final : public menus::FileDialogs {
 public:
  explicit QtFileDialogs(QWidget& owner) : owner_(owner) {}

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
  QWidget& owner_;
};

}  // namespace userdb
