#pragma once
// The import preview: what importing a list would do, worked out again whenever the region, the
// route or the fit changes, before anything changes. Import stays unavailable while it would not do.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>

#include "menus/file_dialogs.h"

namespace userdb {

class ImportDialog final : public QDialog {
 public:
  ImportDialog(QWidget* owner, const std::filesystem::path& file, const menus::ImportSettings& start,
               menus::PreviewOf preview);

  menus::ImportSettings Settings() const;

  QLineEdit& NearField() { return *near_; }
  QLineEdit& RadiusField() { return *radius_; }
  QLineEdit& RouteField() { return *route_; }
  QPushButton& BrowseRouteButton() { return *browseRoute_; }
  QLineEdit& CorridorField() { return *corridor_; }
  QComboBox& FitChoice() { return *fit_; }
  QLineEdit& ReplaceField() { return *replace_; }
  QLabel& Summary() { return *summary_; }
  QListWidget& Details() { return *details_; }
  QPushButton& ImportButton() { return *import_; }

 private:
  void Arrange(const std::filesystem::path& file);
  QLayout* RouteRow();
  void BrowseForRoute();
  void Refresh();

  menus::PreviewOf preview_;
  QLineEdit* near_;
  QLineEdit* radius_;
  QLineEdit* route_;
  QPushButton* browseRoute_;
  QLineEdit* corridor_;
  QComboBox* fit_;
  QLineEdit* replace_;
  QLabel* summary_;
  QListWidget* details_;
  QPushButton* import_;
};

}  // namespace userdb
