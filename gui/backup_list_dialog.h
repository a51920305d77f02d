#pragma once
// The backups to restore from, newest first: when each was taken, of which device, how many
// points, and whether it was taken before a write or of an empty device.

#include <QDialog>
#include <QTreeWidget>
#include <span>

#include "app/backups.h"

namespace userdb {

class BackupListDialog final : public QDialog {
 public:
  BackupListDialog(QWidget* owner, std::span<const BackupEntry> backups);

  QTreeWidget& List() { return *list_; }
  // The row chosen; -1 for none.
  int Chosen() const;

 private:
  QTreeWidget* list_;
};

}  // namespace userdb
