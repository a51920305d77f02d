#include "app/source_records.h"

#include <ctime>
#include <set>
#include <vector>

#include "base/local_time.h"

namespace userdb {
namespace {

bool Filled(const UserDatabase& database, std::size_t record) { return !database.Point(record).IsEmpty(); }

}  // namespace

bool IsOfSource(const PointSources& sources, const UserDatabase& database, std::size_t record,
                const std::string& source) {
  const std::optional<PointOrigin> origin = sources.OriginOf(FingerprintOf(database, record));
  return origin && origin->source == source;
}

SourcesResult RecordAdded(PointSources& sources, const UserDatabase& before, const UserDatabase& merged,
                          const PointOrigin& origin) {
  std::set<Fingerprint> there;
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    if (Filled(before, k)) there.insert(FingerprintOf(before, k));
  }
  std::vector<Fingerprint> added;
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    if (!Filled(merged, k)) continue;
    const Fingerprint fingerprint = FingerprintOf(merged, k);
    if (!there.contains(fingerprint)) added.push_back(fingerprint);
  }
  if (added.empty()) return {SourcesOutcome::Recorded, {}};
  return sources.Record(added, origin);
}

std::map<std::string, SourceCount> CountSources(const PointSources& sources, const UserDatabase& database) {
  std::map<std::string, SourceCount> counts;
  for (std::size_t k = 0; k < kRecordCount; ++k) {
    if (!Filled(database, k)) continue;
    const std::optional<PointOrigin> origin = sources.OriginOf(FingerprintOf(database, k));
    SourceCount& count = counts[origin ? origin->source : std::string()];
    ++count.points;
    if (origin && origin->date > count.date) count.date = origin->date;
  }
  return counts;
}

std::string Today() { return LocalTimeText(std::time(nullptr), "%Y-%m-%d"); }

}  // namespace userdb
