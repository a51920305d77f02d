#pragma once
// The row of buttons at the foot of the file commands' dialogs: the command's own button, the
// default, and Cancel.

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace userdb {

// Adds the row to the dialog's layout; the returned button accepts the dialog.
QPushButton* AddAcceptAndCancel(QDialog& dialog, QBoxLayout& layout, const QString& acceptText);

}  // namespace userdb
