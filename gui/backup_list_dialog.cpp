#include "gui/backup_list_dialog.h"

#include <QVBoxLayout>

#include "app/backup_note.h"
#include "gui/dialog_buttons.h"

namespace userdb {

BackupListDialog::BackupListDialog(QWidget* owner, std::span<const BackupEntry> backups)
    : QDialog(owner), list_(new QTreeWidget(this)) {
  setWindowTitle(tr("Restore backup"));
  list_->setAccessibleName(tr("Backups"));
  list_->setRootIsDecorated(false);
  list_->setHeaderLabels({tr("Date"), tr("Serial number"), tr("Points"), tr("Note")});
  for (const BackupEntry& entry : backups) {
    const QString serial = entry.serialNumber ? QString::number(*entry.serialNumber) : QStringLiteral("-");
    auto* row = new QTreeWidgetItem(list_, {QString::fromStdString(entry.taken), serial, QString::number(entry.points),
                                            QString::fromStdString(BackupNote(entry))});
    row->setToolTip(0, QString::fromStdString(entry.file.string()));
  }
  list_->setCurrentItem(list_->topLevelItem(0));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  AddAcceptAndCancel(*this, *layout, tr("&Restore"));
  resize(560, 300);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
}

int BackupListDialog::Chosen() const {
  return list_->currentItem() == nullptr ? -1 : list_->indexOfTopLevelItem(list_->currentItem());
}

}  // namespace userdb
