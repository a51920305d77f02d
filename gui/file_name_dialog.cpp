#include "gui/file_name_dialog.h"

#include <QFileDialog>

#include "gui/utf8_text.h"

namespace userdb {
namespace {

QStringList FiltersOf(std::span<const menus::FileKind> kinds) {
  QStringList filters;
  for (const menus::FileKind& kind : kinds) filters << FromUtf8(kind.Described());
  return filters;
}

std::optional<menus::FileChoice> Run(QFileDialog& dialog, std::span<const menus::FileKind> kinds) {
  dialog.setNameFilters(FiltersOf(kinds));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const qsizetype kind = FiltersOf(kinds).indexOf(dialog.selectedNameFilter());
  return menus::FileChoice{std::filesystem::path(dialog.selectedFiles().first().toStdString()),
                           kind < 0 ? 0 : static_cast<std::size_t>(kind)};
}

}  // namespace

std::optional<menus::FileChoice> ChooseFileToOpen(QWidget& owner, std::string_view title,
                                                  std::span<const menus::FileKind> kinds) {
  QFileDialog dialog(&owner, FromUtf8(title));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  return Run(dialog, kinds);
}

std::optional<menus::FileChoice> ChooseFileToSave(QWidget& owner, std::string_view title,
                                                  std::span<const menus::FileKind> kinds,
                                                  const std::filesystem::path& proposed) {
  QFileDialog dialog(&owner, FromUtf8(title));
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  if (proposed.has_parent_path()) dialog.setDirectory(FromUtf8(proposed.parent_path().string()));
  dialog.selectFile(FromUtf8(proposed.filename().string()));
  return Run(dialog, kinds);
}

}  // namespace userdb
