#include "gui/import_dialog.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "gui/dialog_buttons.h"
#include "gui/utf8_text.h"
#include "menus/import_preview.h"

namespace userdb {
namespace {

using formats::CapacityFit;

}  // namespace

ImportDialog::ImportDialog(QWidget* owner, const std::filesystem::path& file, const menus::ImportSettings& start,
                           menus::PreviewOf preview)
    : QDialog(owner),
      preview_(std::move(preview)),
      near_(new QLineEdit(FromUtf8(start.near), this)),
      radius_(new QLineEdit(FromUtf8(start.radiusKm), this)),
      fit_(new QComboBox(this)),
      replace_(new QLineEdit(FromUtf8(start.replace), this)),
      summary_(new QLabel(this)),
      details_(new QListWidget(this)) {
  setWindowTitle(tr("Import points"));
  near_->setPlaceholderText(tr("latitude,longitude, such as 52.52,13.40"));
  radius_->setPlaceholderText(tr("kilometres"));
  replace_->setPlaceholderText(tr("the name of a list imported before, such as cams"));
  for (const menus::FitChoice& choice : menus::FitChoices())
    fit_->addItem(FromUtf8(choice.label), static_cast<int>(choice.fit));
  fit_->setCurrentIndex(fit_->findData(static_cast<int>(start.fit)));
  summary_->setWordWrap(true);
  summary_->setAccessibleName(tr("What the import would do"));
  details_->setAccessibleName(tr("Points left out or changed"));

  auto* form = new QFormLayout;
  form->addRow(tr("&Near:"), near_);
  form->addRow(tr("&Radius (km):"), radius_);
  form->addRow(tr("When more than 256 points result:"), fit_);
  form->addRow(tr("R&eplace the points of:"), replace_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(FromUtf8(file.filename().string()), this));
  layout->addLayout(form);
  layout->addWidget(summary_);
  layout->addWidget(details_);
  import_ = AddAcceptAndCancel(*this, *layout, tr("&Import"));
  resize(560, 420);

  connect(near_, &QLineEdit::textChanged, this, &ImportDialog::Refresh);
  connect(radius_, &QLineEdit::textChanged, this, &ImportDialog::Refresh);
  connect(fit_, &QComboBox::currentIndexChanged, this, &ImportDialog::Refresh);
  connect(replace_, &QLineEdit::textChanged, this, &ImportDialog::Refresh);
  Refresh();
}

menus::ImportSettings ImportDialog::Settings() const {
  return menus::ImportSettings{near_->text().trimmed().toStdString(), radius_->text().trimmed().toStdString(),
                               static_cast<CapacityFit>(fit_->currentData().toInt()),
                               replace_->text().trimmed().toStdString()};
}

void ImportDialog::Refresh() {
  const menus::ImportPreview shown = preview_(Settings());
  summary_->setText(FromUtf8(shown.summary));
  details_->clear();
  for (const std::string& line : shown.details) details_->addItem(FromUtf8(line));
  import_->setEnabled(shown.canImport);
}

}  // namespace userdb
