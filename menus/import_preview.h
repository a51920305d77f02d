#pragma once
// What importing a list would do to the database in memory, worked out again for each choice of
// region, route and fit in the import dialog, before anything changes.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/point_sources.h"
#include "formats/point_merge.h"
#include "menus/file_dialogs.h"
#include "menus/loaded_route.h"

namespace userdb::menus {

// The merge options the settings give, or why they give none.
struct MergeChoice {
  std::optional<formats::MergeOptions> options;
  std::string problem;
};

// sources: how the points of the list to replace are known; none knows of none. route: where
// the settings' route file is read, and kept for the next settings.
MergeChoice MergeOptionsOf(const ImportSettings& settings, const PointSources* sources, LoadedRoute& route);

// What to do when more than 256 points would result, as both windows offer it; in the order of
// CapacityFit's values.
struct FitChoice {
  formats::CapacityFit fit;
  std::string_view label;
};
std::span<const FitChoice> FitChoices();

// Past this many, the preview counts the lines it leaves out.
inline constexpr std::size_t kPreviewLines = 200;
// Past this many, the points added, and those left out, are counted.
inline constexpr std::size_t kPreviewPointLines = 50;

// The points the import adds, then those it leaves out, then changes: what reading the list
// changed (ChangeLines).
ImportPreview PreviewImport(const formats::MergeResult& merged, const std::vector<std::string>& changes);

}  // namespace userdb::menus
