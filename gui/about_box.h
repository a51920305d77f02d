#pragma once
// The About box, built from its template: the icon, the version text and "確定", which closes it.

#include <QDialog>

#include "gui/template_dialog.h"

namespace userdb {

class AboutBox final : public QDialog {
 public:
  explicit AboutBox(QWidget* owner);

  // nullptr for an ID the box does not have.
  QWidget* Control(int controlId) const;

 private:
  ControlMap controls_;
};

}  // namespace userdb
