#pragma once
// Where each point came from, as one small text file in the data folder: a line a point, its
// fingerprint, the date it was added and its list's name. Lines that cannot be read are left
// out and the rest kept, so a damaged line costs one point its origin and nothing more.

#include <filesystem>
#include <map>
#include <optional>

#include "app/point_sources.h"

namespace userdb::storage {

inline constexpr const char* kSourcesFileName = "point-sources.txt";

class SourceFile final : public PointSources {
 public:
  // Nothing for a folder: the environment names none; every point is then the driver's own, and
  // every Record says so.
  explicit SourceFile(std::optional<std::filesystem::path> dataFolder);

  std::optional<PointOrigin> OriginOf(Fingerprint fingerprint) const override;
  SourcesResult Record(const std::vector<Fingerprint>& fingerprints, const PointOrigin& origin) override;

 private:
  std::map<Fingerprint, PointOrigin> Read() const;

  std::optional<std::filesystem::path> file_;
  mutable std::optional<std::map<Fingerprint, PointOrigin>> known_;  // read once, when first asked
};

}  // namespace userdb::storage
