#pragma once
// Which list each point came from, so that next month's list can replace last month's and
// leave the driver's own points whole. Points are known by their fingerprint alone: nothing is
// written into the device's records or notes, and a point the driver edits stops matching.

#include <optional>
#include <string>
#include <vector>

#include "database/point_fingerprint.h"

namespace userdb {

struct PointOrigin {
  std::string source;  // a list's name: its file's name without the extension, or as given
  std::string date;    // "2026-12-09", when it was added

  bool operator==(const PointOrigin&) const = default;
};

enum class SourcesOutcome {
  Recorded,
  NoFolder,     // the environment names no data folder
  NotRecorded,  // the folder or its file could not be written
};

struct SourcesResult {
  SourcesOutcome outcome = SourcesOutcome::NotRecorded;
  std::string message;  // why not, naming the file

  explicit operator bool() const { return outcome == SourcesOutcome::Recorded; }
};

class PointSources {
 public:
  virtual ~PointSources() = default;

  // Nothing for a point of no known list: the driver's own.
  virtual std::optional<PointOrigin> OriginOf(Fingerprint fingerprint) const = 0;
  // The points now came from origin, whatever was known of them before.
  virtual SourcesResult Record(const std::vector<Fingerprint>& fingerprints, const PointOrigin& origin) = 0;
};

}  // namespace userdb
