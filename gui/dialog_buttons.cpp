#include "gui/dialog_buttons.h"

#include <QDialogButtonBox>

namespace userdb {

QPushButton* AddAcceptAndCancel(QDialog& dialog, QBoxLayout& layout, const QString& acceptText) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, &dialog);
  QPushButton* accept = buttons->addButton(acceptText, QDialogButtonBox::AcceptRole);
  accept->setDefault(true);
  layout.addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return accept;
}

}  // namespace userdb
