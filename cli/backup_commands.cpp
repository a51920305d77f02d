#include "cli/backup_commands.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "app/backup_note.h"
#include "base/path_text.h"
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
                const std::string& points, const std::string& note, const std::string& file) {
  char row[160];
  std::snprintf(row, sizeof row, "%3s  %-19s  %-13s  %6s  %-28s  ", number.c_str(), taken.c_str(), serial.c_str(),
                points.c_str(), note.c_str());
  return row + file;
}

std::string SerialText(const BackupEntry& entry) {
  return entry.serialNumber ? std::to_string(*entry.serialNumber) : "-";
}

// A copy of a device that a broken write left empty is newer than the one worth restoring, so
// the newest that holds points is taken; the newest of all only when every one is empty.
std::size_t DefaultChoice(const std::vector<BackupEntry>& entries) {
  const auto holding =
      std::find_if(entries.begin(), entries.end(), [](const BackupEntry& entry) { return entry.points > 0; });
  return holding == entries.end() ? 0 : static_cast<std::size_t>(holding - entries.begin());
}

void TellDefaultChoice(const std::vector<BackupEntry>& entries, std::size_t chosen, std::ostream& errors) {
  const BackupEntry& entry = entries[chosen];
  if (entry.points == 0) errors << "userdb: every backup is of an empty device\n";
  const std::string device = entry.serialNumber ? "SN " + std::to_string(*entry.serialNumber) + ", " : "";
  errors << "userdb: restoring backup " << chosen + 1 << ", taken " << entry.taken << " (" << device << entry.points
         << " points)\n";
}

}  // namespace

int ListBackups(const Backups& backups, std::ostream& output) {
  const std::vector<BackupEntry> entries = backups.List();
  if (entries.empty()) {
    output << "No backups yet in " << PathText(backups.Folder().value_or("(no folder: set USERDB_DATA_DIR)")) << '\n';
    return exit_code::kSuccess;
  }
  output << Row("No.", "Date", "Serial number", "Points", "Note", "File") << '\n';
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const BackupEntry& entry = entries[i];
    output << Row(std::to_string(i + 1), entry.taken, SerialText(entry), std::to_string(entry.points),
                  BackupNote(entry), PathText(entry.file))
           << '\n';
  }
  return exit_code::kSuccess;
}

std::optional<std::filesystem::path> ChooseBackup(const Backups& backups, const std::string& which,
                                                  std::ostream& errors) {
  const std::optional<std::size_t> number = BackupNumber(which);
  if (!which.empty() && !number) return PathOfText(which);
  const std::vector<BackupEntry> entries = backups.List();
  if (entries.empty()) {
    errors << "userdb: there is no backup to restore yet\n";
    return std::nullopt;
  }
  if (which.empty()) {
    const std::size_t chosen = DefaultChoice(entries);
    TellDefaultChoice(entries, chosen, errors);
    return entries[chosen].file;
  }
  if (*number == 0 || *number > entries.size()) {
    errors << "userdb: there is no backup " << *number << "; `userdb backups` lists " << entries.size() << '\n';
    return std::nullopt;
  }
  return entries[*number - 1].file;
}

}  // namespace userdb::cli
