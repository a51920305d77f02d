#include "gui/import_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "gui/dialog_buttons.h"
#include "gui/file_name_dialog.h"
#include "gui/utf8_text.h"
#include "menus/attribution.h"
#include "menus/file_kinds.h"
#include "menus/import_preview.h"

namespace userdb {
namespace {

using formats::CapacityFit;

// A form row whose field stands in a layout has no buddy of its own: without one, a screen
// reader would not hear the label with the field.
QLabel* LabelFor(QWidget& field, const QString& text) {
  auto* label = new QLabel(text, field.parentWidget());
  label->setBuddy(&field);
  return label;
}

}  // namespace

ImportDialog::ImportDialog(QWidget* owner, const std::filesystem::path& file, const menus::ImportSettings& start,
                           menus::PreviewOf preview)
    : QDialog(owner),
      preview_(std::move(preview)),
      near_(new QLineEdit(FromUtf8(start.near), this)),
      radius_(new QLineEdit(FromUtf8(start.radiusKm), this)),
      route_(new QLineEdit(FromUtf8(start.route), this)),
      browseRoute_(new QPushButton(tr("&Browse…"), this)),
      corridor_(new QLineEdit(FromUtf8(start.corridorKm), this)),
      fit_(new QComboBox(this)),
      replace_(new QLineEdit(FromUtf8(start.replace), this)),
      summary_(new QLabel(this)),
      details_(new QListWidget(this)) {
  setWindowTitle(tr("Import points"));
  near_->setPlaceholderText(tr("latitude,longitude, such as 52.52,13.40"));
  radius_->setPlaceholderText(tr("kilometres"));
  route_->setPlaceholderText(tr("a GPX or KML file of the way you drive"));
  corridor_->setPlaceholderText(tr("kilometres either side of the route"));
  replace_->setPlaceholderText(tr("the name of a list imported before, such as cams"));
  for (const menus::FitChoice& choice : menus::FitChoices())
    fit_->addItem(FromUtf8(choice.label), static_cast<int>(choice.fit));
  fit_->setCurrentIndex(fit_->findData(static_cast<int>(start.fit)));
  summary_->setWordWrap(true);
  summary_->setAccessibleName(tr("What the import would do"));
  details_->setAccessibleName(tr("Points added, left out or changed"));
  Arrange(file);

  for (QLineEdit* field : {near_, radius_, route_, corridor_, replace_})
    connect(field, &QLineEdit::textChanged, this, &ImportDialog::Refresh);
  connect(fit_, &QComboBox::currentIndexChanged, this, &ImportDialog::Refresh);
  connect(browseRoute_, &QPushButton::clicked, this, &ImportDialog::BrowseForRoute);
  Refresh();
}

// The file, its attribution when it needs one, the settings, then what the import would do.
void ImportDialog::Arrange(const std::filesystem::path& file) {
  auto* form = new QFormLayout;
  form->addRow(tr("&Near:"), near_);
  form->addRow(tr("&Radius (km):"), radius_);
  form->addRow(LabelFor(*route_, tr("R&oute:")), RouteRow());
  form->addRow(tr("&Corridor (km):"), corridor_);
  form->addRow(tr("When more than 256 points result:"), fit_);
  form->addRow(tr("R&eplace the points of:"), replace_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(FromUtf8(file.filename().string()), this));
  if (const std::string attribution = menus::AttributionOf(file); !attribution.empty()) {
    auto* notice = new QLabel(FromUtf8(attribution), this);
    notice->setWordWrap(true);
    layout->addWidget(notice);
  }
  layout->addLayout(form);
  layout->addWidget(summary_);
  layout->addWidget(details_);
  import_ = AddAcceptAndCancel(*this, *layout, tr("&Import"));
  resize(560, 460);
}

QLayout* ImportDialog::RouteRow() {
  auto* row = new QHBoxLayout;
  row->addWidget(route_, 1);
  row->addWidget(browseRoute_);
  return row;
}

void ImportDialog::BrowseForRoute() {
  const std::optional<menus::FileChoice> chosen = ChooseFileToOpen(*this, "Choose a route", menus::RouteKinds());
  if (chosen) route_->setText(FromUtf8(chosen->path.string()));
}

menus::ImportSettings ImportDialog::Settings() const {
  const auto typed = [](const QLineEdit* field) { return field->text().trimmed().toStdString(); };
  return menus::ImportSettings{.near = typed(near_),
                               .radiusKm = typed(radius_),
                               .fit = static_cast<CapacityFit>(fit_->currentData().toInt()),
                               .replace = typed(replace_),
                               .route = typed(route_),
                               .corridorKm = typed(corridor_)};
}

void ImportDialog::Refresh() {
  const menus::ImportPreview shown = preview_(Settings());
  summary_->setText(FromUtf8(shown.summary));
  details_->clear();
  for (const std::string& line : shown.details) details_->addItem(FromUtf8(line));
  import_->setEnabled(shown.canImport);
}

}  // namespace userdb
