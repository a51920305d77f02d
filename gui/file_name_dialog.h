#pragma once
// Qt's dialogs that choose a file to open or a file name to save to, offering the file kinds as
// the name filters: for the menus' commands and for the import dialog's route alike.

#include <QWidget>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

#include "menus/file_dialogs.h"

namespace userdb {

std::optional<menus::FileChoice> ChooseFileToOpen(QWidget& owner, std::string_view title,
                                                  std::span<const menus::FileKind> kinds);

// proposed: the folder and name the dialog starts with.
std::optional<menus::FileChoice> ChooseFileToSave(QWidget& owner, std::string_view title,
                                                  std::span<const menus::FileKind> kinds,
                                                  const std::filesystem::path& proposed);

}  // namespace userdb
