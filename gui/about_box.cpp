#include "gui/about_box.h"

#include <QPushButton>

#include "window/control_ids.h"

namespace userdb {

AboutBox::AboutBox(QWidget* owner)
    : QDialog(owner), controls_(BuildFromTemplate(*this, AboutBoxTemplate(), TemplateTexts::Utf8)) {
  if (auto* ok = qobject_cast<QPushButton*>(Control(ids::kAboutOk))) {
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  }
}

QWidget* AboutBox::Control(int controlId) const { return FindControl(controls_, controlId); }

}  // namespace userdb
