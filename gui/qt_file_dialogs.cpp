#include "gui/qt_file_dialogs.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

#include "gui/backup_list_dialog.h"
#include "gui/file_name_dialog.h"
#include "gui/import_dialog.h"
#include "gui/utf8_text.h"

namespace userdb {
namespace {

// xdg-open starts whatever it finds and says nothing when it finds nothing, so ask first.
bool DesktopHasProgramFor(const QString& file) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  QProcess query;
  query.start(QStringLiteral("xdg-mime"),
              {QStringLiteral("query"), QStringLiteral("default"), QMimeDatabase().mimeTypeForFile(file).name()});
  if (!query.waitForFinished(3000)) {
    query.kill();
    query.waitForFinished(1000);
    return query.error() == QProcess::FailedToStart;  // without xdg-mime, Qt may still know a way
  }
  return !query.readAllStandardOutput().trimmed().isEmpty();
#else
  Q_UNUSED(file);
  return true;
#endif
}

}  // namespace

std::optional<menus::FileChoice> QtFileDialogs::ChooseFileToOpen(std::string_view title,
                                                                 std::span<const menus::FileKind> kinds) {
  return userdb::ChooseFileToOpen(owner_, title, kinds);
}

std::optional<menus::FileChoice> QtFileDialogs::ChooseFileToSave(std::string_view title,
                                                                 std::span<const menus::FileKind> kinds,
                                                                 const std::filesystem::path& proposed) {
  return userdb::ChooseFileToSave(owner_, title, kinds, proposed);
}

std::optional<menus::ImportSettings> QtFileDialogs::ConfirmImport(const std::filesystem::path& file,
                                                                  const menus::ImportSettings& start,
                                                                  const menus::PreviewOf& preview) {
  ImportDialog dialog(&owner_, file, start, preview);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Settings();
}

std::optional<std::size_t> QtFileDialogs::ChooseBackup(std::span<const BackupEntry> backups) {
  BackupListDialog dialog(&owner_, backups);
  if (dialog.exec() != QDialog::Accepted || dialog.Chosen() < 0) return std::nullopt;
  return static_cast<std::size_t>(dialog.Chosen());
}

bool QtFileDialogs::OpenWithDesktop(const std::filesystem::path& file) {
  const QString path = FromUtf8(file.string());
  return DesktopHasProgramFor(path) && QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace userdb
