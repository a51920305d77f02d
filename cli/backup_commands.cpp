#include "cli/backup_commands.h"

#include <charconv>
#include <cstdio>

#include "cli/exit_codes.h"

namespace userdb::cli {
namespace {

std::optional<std::size_t> BackupNumber(const std::string& text) {
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

std::string Row(const std::string& number, const std::string& taken, const std::string& serial,
                const std::string& points, const std::string& file) {
  char row[160];
  std::snprintf(row, sizeof row, "%3s  %-19s  %-13s  %6s  ", number.c_str(), taken.c_str(), serial.c_str(),
                points.c_str());
  return row + file;
}

}  // namespace

int ListBackups(const Backups& backups, std::ostream& output) {
  const std::vector<BackupEntry> entries = backups.List();
  if (entries.empty()) {
    output << "No backups yet in " << backups.Folder().value_or("(no folder: set USERDB_DATA_DIR)").string() << '\n';
    return exit_code::kSuccess;
  }
  output << Row("No.", "Date", "Serial number", "Points", "File") << '\n';
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const BackupEntry& entry = entries[i];
    output << Row(std::to_string(i + 1), entry.taken, entry.serialNumber ? std::to_string(*entry.serialNumber) : "-",
                  std::to_string(entry.points), entry.file.string())
           << '\n';
  }
  return exit_code::kSuccess;
}

std::optional<std::filesystem::path> ChooseBackup(const Backups& backups, const std::string& which,
                                                  std::string& error) {
  const std::optional<std::size_t> number = BackupNumber(which.empty() ? "1" : which);
  if (!number) return std::filesystem::path(which);
  const std::vector<BackupEntry> entries = backups.List();
  if (*number == 0 || *number > entries.size()) {
    error = entries.empty() ? "there is no backup to restore yet"
                            : "there is no backup " + std::to_string(*number) + "; `userdb backups` lists " +
                                  std::to_string(entries.size());
    return std::nullopt;
  }
  return entries[*number - 1].file;
}

}  // namespace userdb::cli
