#pragma once
// The record of an unfinished write, as one file in the data folder: a few lines that name the
// device, the backup from before and a digest, then the image being written. One file, so that
// it is replaced whole; the digest, so that a damaged one is never taken for a record.

#include <filesystem>
#include <optional>
#include <vector>

#include "app/write_journal.h"

namespace userdb::storage {

inline constexpr const char* kJournalFileName = "unfinished-write.journal";

class JournalFile final : public WriteJournal {
 public:
  // Nothing for a folder: the environment names none, and every Record says so.
  explicit JournalFile(std::optional<std::filesystem::path> dataFolder);

  JournalResult Record(const UnfinishedWrite& write) override;
  std::optional<UnfinishedWrite> Pending() const override;
  void Clear() override;

  // The backup a record names: retention must keep it.
  std::vector<std::filesystem::path> PinnedBackups() const;

 private:
  std::optional<std::filesystem::path> file_;
};

}  // namespace userdb::storage
