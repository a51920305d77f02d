#pragma once
// The file commands' dialogs on Qt: the platform's file dialogs, the import preview, the list
// of backups and the desktop's program for a file.

#include <QWidget>

#include "files/file_dialogs.h"

namespace userdb {

class QtFileDialogs final : public files::FileDialogs {
 public:
  explicit QtFileDialogs(QWidget& owner) : owner_(owner) {}

  std::optional<files::FileChoice> ChooseFileToOpen(std::string_view title,
                                                    std::span<const files::FileKind> kinds) override;
  std::optional<files::FileChoice> ChooseFileToSave(std::string_view title, std::span<const files::FileKind> kinds,
                                                    const std::filesystem::path& proposed) override;
  std::optional<files::ImportSettings> ConfirmImport(const std::filesystem::path& file,
                                                     const files::ImportSettings& start,
                                                     const files::PreviewOf& preview) override;
  std::optional<std::size_t> ChooseBackup(std::span<const storage::BackupEntry> backups) override;
  bool OpenWithDesktop(const std::filesystem::path& file) override;

 private:
  QWidget& owner_;
};

}  // namespace userdb
