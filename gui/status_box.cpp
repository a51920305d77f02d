#include "gui/status_box.h"

#include <QKeyEvent>

namespace userdb {

void StatusBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->ignore();  // passes on to the window
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

}  // namespace userdb
