#include "formats/point_merge.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cctype>
#include <numeric>

#include "database/note_codec.h"
#include "formats/nearby_points.h"
#include "formats/points_file.h"

namespace userdb::formats {
namespace {

bool SameWay(std::uint16_t a, std::uint16_t b) { return a == b || a == kNoDirection || b == kNoDirection; }

bool InRegion(EarthPosition position, const MergeOptions& options) {
  if (options.near && options.radiusKm && DistanceMetres(*options.near, position) > *options.radiusKm * 1000) {
    return false;
  }
  if (options.along && !options.along->DistanceWithin(position)) return false;
  return !options.box || options.box->Holds(position);
}

// How far a list point lies from what the fit ranks by: --near's place or the route.
double RankDistance(EarthPosition position, const MergeOptions& options) {
  if (options.fit == CapacityFit::Along) {
    return options.along ? options.along->DistanceWithin(position).value_or(0) : 0;
  }
  return options.near ? DistanceMetres(*options.near, position) : 0;
}

// Rebuilds the records in a new order: record k of the result is record order[k] of database,
// every byte and its note with it.
void Reorder(UserDatabase& database, const std::vector<std::size_t>& order) {
  const UserDatabase before = database;
  for (std::size_t k = 0; k < order.size(); ++k) {
    std::ranges::copy(before.Record(order[k]), database.Record(k).begin());
    std::ranges::copy(before.Note(order[k]), database.Note(k).begin());
  }
}

bool Filled(const UserDatabase& database, std::size_t record) { return !database.Point(record).IsEmpty(); }

// The records' indices, the filled ones first, each group in its order.
std::vector<std::size_t> FilledFirst(const UserDatabase& database) {
  std::vector<std::size_t> order(kRecordCount);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_partition(order.begin(), order.end(), [&](std::size_t k) { return Filled(database, k); });
  return order;
}

// The filled records first, each keeping its place among them; the number of the base's records
// that moved.
std::size_t CloseGaps(UserDatabase& database, const std::bitset<kRecordCount>& fromBase) {
  const std::vector<std::size_t> order = FilledFirst(database);
  std::size_t moved = 0;
  for (std::size_t k = 0; k < kRecordCount; ++k) moved += order[k] != k && fromBase.test(order[k]) ? 1 : 0;
  Reorder(database, order);
  return moved;
}

std::string FoldedNote(const UserDatabase& database, std::size_t record) {
  std::string note = NoteText(database.Note(record));
  std::transform(note.begin(), note.end(), note.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return note;
}

// The filled records sorted, the empty ones after them.
void SortRecords(UserDatabase& database, const MergeOptions& options) {
  std::vector<std::size_t> order = FilledFirst(database);
  const auto filledEnd = order.begin() + static_cast<std::ptrdiff_t>(PointCount(database));
  if (options.order == MergeOrder::Distance && options.near) {
    std::array<double, kRecordCount> distance{};
    for (auto k = order.begin(); k != filledEnd; ++k) {
      distance[*k] = DistanceMetres(*options.near, PositionOf(database.Point(*k)));
    }
    std::stable_sort(order.begin(), filledEnd, [&](std::size_t a, std::size_t b) { return distance[a] < distance[b]; });
  } else if (options.order == MergeOrder::Note) {
    std::array<std::string, kRecordCount> notes;
    for (auto k = order.begin(); k != filledEnd; ++k) notes[*k] = FoldedNote(database, *k);
    // Points without a note go last: a name is what a driver looks for.
    std::stable_sort(order.begin(), filledEnd, [&](std::size_t a, std::size_t b) {
      if (notes[a].empty() != notes[b].empty()) return notes[b].empty();
      return notes[a] < notes[b];
    });
  }
  Reorder(database, order);
}

class Merger {
 public:
  Merger(const UserDatabase& base, std::span<const ListPoint> list, const MergeOptions& options)
      : list_(list), options_(options), nearby_(options.withinMetres) {
    result_.database = base;
    for (std::size_t k = 0; k < kRecordCount; ++k) {
      if (!Filled(base, k)) continue;
      if (options.replacing && options.replacing(base, k)) {
        TakeOut(k);
        continue;
      }
      fromBase_.set(k);
      nearby_.Add(PositionOf(base.Point(k)), k);
      ++result_.summary.kept;
    }
  }

  MergeResult Run() {
    for (std::size_t i = 0; i < list_.size(); ++i) Consider(i);
    result_.summary.wanted = result_.summary.kept + candidates_.size();
    if (!Fit()) return result_;
    Place();
    result_.summary.movedUp = CloseGaps(result_.database, fromBase_);
    if (options_.order != MergeOrder::Kept) SortRecords(result_.database, options_);
    return result_;
  }

 private:
  // Ids of the nearby index: the base's records, then the candidates after them.
  static constexpr std::size_t kFirstCandidateId = kRecordCount;

  std::uint16_t DirectionOf(std::size_t id) const {
    return id < kFirstCandidateId ? result_.database.Point(id).direction
                                  : list_[candidates_[id - kFirstCandidateId]].point.direction;
  }

  std::optional<std::size_t> DuplicateOf(EarthPosition position, std::uint16_t direction) const {
    for (const NearbyPoints::Near& near : nearby_.Within(position)) {
      if (SameWay(direction, DirectionOf(near.id))) return near.id;
    }
    return std::nullopt;
  }

  void Consider(std::size_t i) {
    const ListPoint& point = list_[i];
    const EarthPosition position = PositionOf(point.point);
    if (!InRegion(position, options_)) {
      ++result_.summary.outside;
      return;
    }
    if (const std::optional<std::size_t> duplicate = DuplicateOf(position, point.point.direction)) {
      ++result_.summary.duplicates;
      if (options_.preferList && *duplicate < kFirstCandidateId && !replaced_.test(*duplicate))
        Replace(*duplicate, point);
      return;
    }
    nearby_.Add(position, kFirstCandidateId + candidates_.size());
    candidates_.push_back(i);
  }

  // A point of the list being replaced leaves its record free for the new list.
  void TakeOut(std::size_t record) {
    UserDatabase& database = result_.database;
    result_.takenOut.push_back({database.Point(record), NoteText(database.Note(record)), 0, record});
    database.Erase(record);
    ++result_.summary.refreshed;
  }

  // The list's point in the base's record; the device's own bytes 13 to 15 stay.
  void Replace(std::size_t record, const ListPoint& point) {
    replaced_.set(record);
    result_.database.SetPoint(record, point.point);
    WriteNote(result_.database.Note(record), point.note);
    ++result_.summary.replaced;
  }

  // Keeps the candidates that fit; false when they do not and nothing may be left out.
  bool Fit() {
    const std::size_t room = kRecordCount - result_.summary.kept;
    if (candidates_.size() <= room) return true;
    if (options_.fit == CapacityFit::Refuse) {
      result_.overCapacity = true;
      return false;
    }
    std::vector<std::size_t> ranked = candidates_;
    if (options_.fit == CapacityFit::Nearest || options_.fit == CapacityFit::Along) {
      std::vector<double> distance(list_.size());
      for (const std::size_t i : ranked) distance[i] = RankDistance(PositionOf(list_[i].point), options_);
      std::stable_sort(ranked.begin(), ranked.end(),
                       [&](std::size_t a, std::size_t b) { return distance[a] < distance[b]; });
    }
    std::vector<std::size_t> leftOut(ranked.begin() + static_cast<std::ptrdiff_t>(room), ranked.end());
    ranked.resize(room);
    std::sort(ranked.begin(), ranked.end());
    std::sort(leftOut.begin(), leftOut.end());
    for (const std::size_t i : leftOut) result_.leftOut.push_back(list_[i]);
    result_.summary.leftOut = leftOut.size();
    candidates_ = std::move(ranked);
    return true;
  }

  // Into the free records from the first on, in the lists' order.
  void Place() {
    std::size_t record = 0;
    for (const std::size_t i : candidates_) {
      while (fromBase_.test(record)) ++record;
      result_.database.SetPoint(record, list_[i].point);
      WriteNote(result_.database.Note(record), list_[i].note);
      result_.added.push_back(list_[i]);
      ++record;
    }
    result_.summary.added = candidates_.size();
  }

  std::span<const ListPoint> list_;
  const MergeOptions& options_;
  NearbyPoints nearby_;
  MergeResult result_;
  std::bitset<kRecordCount> fromBase_;
  std::bitset<kRecordCount> replaced_;
  std::vector<std::size_t> candidates_;  // indices into list_, in its order
};

}  // namespace

MergeResult MergePoints(const UserDatabase& base, std::span<const ListPoint> list, const MergeOptions& options) {
  return Merger(base, list, options).Run();
}

std::string DescribeSummary(const MergeSummary& summary) {
  std::string text = "Merged: " + std::to_string(summary.kept) + " kept, ";
  if (summary.refreshed > 0) text += std::to_string(summary.refreshed) + " replaced by the new list, ";
  text += std::to_string(summary.added) + " added, " + std::to_string(summary.duplicates) +
          (summary.duplicates == 1 ? " duplicate" : " duplicates");
  if (summary.replaced > 0) text += " (" + std::to_string(summary.replaced) + " of them replacing the base's)";
  text += ", " + std::to_string(summary.outside) + " outside the region, " + std::to_string(summary.leftOut) +
          " left out for capacity";
  if (summary.movedUp > 0) {
    text += "; " + std::to_string(summary.movedUp) + " of the base's records moved up to close gaps";
  }
  return text;
}

}  // namespace userdb::formats
