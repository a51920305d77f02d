#pragma once
// The message box a test is to answer, once the program has shown it.

#include <QApplication>
#include <QMessageBox>

namespace userdb {

// The first visible message box, or nullptr.
inline QMessageBox* ShownBox() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) return box;
  }
  return nullptr;
}

}  // namespace userdb
