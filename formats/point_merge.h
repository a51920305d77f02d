#pragma once
// A driver's own points and the public lists, made one database that fits the device: a list's
// point that duplicates one already there counts once, a region keeps only the list points near
// where the driver drives or along the way, and what does not fit is left out and told, never silently. The
// base's points are never dropped and, unless asked, keep their records.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "database/user_database.h"
#include "formats/earth_position.h"
#include "formats/point_list.h"
#include "formats/route_corridor.h"

namespace userdb::formats {

enum class CapacityFit { Refuse, Nearest, First, Along };
enum class MergeOrder { Kept, Distance, Note };

struct MergeOptions {
  // A list point this close to another, with the same direction or either without one, is it.
  double withinMetres = 30;
  bool preferList = false;  // a duplicate replaces the base's point instead of giving way to it
  std::optional<EarthPosition> near;
  std::optional<double> radiusKm;  // with near: the region is the circle around it
  std::optional<EarthBox> box;
  // Only the list points within the corridor of a route; shared, as a long route's is costly.
  std::shared_ptr<const RouteCorridor> along;
  CapacityFit fit = CapacityFit::Refuse;  // Nearest needs near, Along needs along
  // Says which of the base's points belong to a list being replaced: they go before the merge.
  std::function<bool(const UserDatabase& base, std::size_t record)> replacing;
  MergeOrder order = MergeOrder::Kept;  // Distance needs near
};

struct MergeSummary {
  std::size_t kept = 0;        // the base's points, all of them but those of a list being replaced
  std::size_t refreshed = 0;   // the base's points of the list being replaced, taken out
  std::size_t added = 0;       // list points that became records
  std::size_t duplicates = 0;  // list points that were already there
  std::size_t replaced = 0;    // of the duplicates, those that took the base's point's place
  std::size_t outside = 0;     // list points outside the region
  std::size_t leftOut = 0;     // list points that did not fit
  std::size_t movedUp = 0;     // the base's records moved to close a gap before a filled one
  std::size_t wanted = 0;      // the points the merge would hold with room for all
};

struct MergeResult {
  UserDatabase database;
  MergeSummary summary;
  std::vector<ListPoint> added;     // the list points that became records, in the lists' order
  std::vector<ListPoint> leftOut;   // in the lists' order
  std::vector<ListPoint> takenOut;  // the base's points of the list being replaced; record: where
  bool overCapacity = false;        // refused: summary.wanted exceeds the device's records

  bool Ok() const { return !overCapacity; }
};

// list is every list's points, one list after the other.
MergeResult MergePoints(const UserDatabase& base, std::span<const ListPoint> list, const MergeOptions& options);

// "Merged: 40 kept, 216 added, 12 duplicates, 3000 outside the region, 46732 left out for capacity".
std::string DescribeSummary(const MergeSummary& summary);

}  // namespace userdb::formats
