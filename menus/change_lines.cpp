#include "menus/change_lines.h"

#include <unordered_map>

namespace userdb::menus {
namespace {

struct ChangeKind {
  const formats::Change* first;
  std::size_t count;
};

std::string LineOf(std::string_view fileName, const ChangeKind& kind) {
  if (kind.count == 1) return formats::DescribeChange(fileName, *kind.first);
  return std::to_string(kind.count) + " points: " + kind.first->what;
}

}  // namespace

std::vector<std::string> ChangeLines(std::string_view fileName, std::span<const formats::Change> changes) {
  std::vector<ChangeKind> kinds;
  std::unordered_map<std::string_view, std::size_t> kindOf;
  for (const formats::Change& change : changes) {
    const auto [found, isNew] = kindOf.try_emplace(change.what, kinds.size());
    if (isNew) {
      kinds.push_back({&change, 1});
    } else {
      ++kinds[found->second].count;
    }
  }
  std::vector<std::string> lines;
  lines.reserve(kinds.size());
  for (const ChangeKind& kind : kinds) lines.push_back(LineOf(fileName, kind));
  return lines;
}

}  // namespace userdb::menus
