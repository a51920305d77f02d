#pragma once
// The StatusBox: a multi-line edit that, like its template's control, leaves the Enter key to
// the window's default button.

#include <QPlainTextEdit>

namespace userdb {

class StatusBox final : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace userdb
