#pragma once
// File > Export points…: the database in memory, saved in any writable format.

#include "menus/file_context.h"

namespace userdb::menus {

void ExportPoints(FileContext& context);
// The same, once the page's unsaved work is settled.
void ExportToChosenFile(FileContext& context);

// The chosen path, with the kind's extension when the user typed none.
std::filesystem::path WithExtension(const std::filesystem::path& path, const FileKind& kind);

}  // namespace userdb::menus
