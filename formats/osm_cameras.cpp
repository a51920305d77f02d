#include "formats/osm_cameras.h"

#include "formats/osm_values.h"

namespace userdb::formats {

std::string NodeName(std::int64_t id) { return "node " + std::to_string(id); }
std::string RelationName(std::int64_t id) { return "relation " + std::to_string(id); }

namespace {

constexpr std::string_view kSpeedCamera = "speed camera";
constexpr std::string_view kAverageSpeed = "average speed";

const std::string& EitherOf(const std::string& first, const std::string& second) {
  return first.empty() ? second : first;
}

}  // namespace

void OsmTags::Take(std::string_view key, std::string_view value) {
  if (key == "highway") highway = value;
  if (key == "type") type = value;
  if (key == "enforcement") enforcement = value;
  if (key == "maxspeed") maxspeed = value;
  if (key == "direction") direction = value;
  if (key == "name") name = value;
  if (key == "ref") ref = value;
}

bool OsmCameras::IsEnforcement(const OsmTags& tags) {
  return tags.type == "enforcement" && (tags.enforcement == "maxspeed" || tags.enforcement == "average_speed");
}

void OsmCameras::AddRelation(const OsmRelation& relation) {
  if (!IsEnforcement(relation.tags)) return;
  const std::vector<std::int64_t>& places = relation.devices.empty() ? relation.froms : relation.devices;
  if (places.empty()) {
    Tell(RelationName(relation.id),
         relation.hasOtherPlaces ? "its device is a way, not a node: left out" : "no device or from node: left out");
    return;
  }
  enforcements_.push_back({relation.id, relation.tags, places});
  for (const std::int64_t node : places) {
    if (!placements_.try_emplace(node, Placement{enforcements_.size() - 1}).second) {
      Tell(NodeName(node), "named by more than one enforcement relation: taken once, for the first");
    }
  }
}

bool OsmCameras::Wants(std::int64_t node, const OsmTags& tags) const {
  return tags.highway == "speed_camera" || placements_.contains(node);
}

void OsmCameras::AddNode(const OsmNode& node) {
  const auto named = placements_.find(node.id);
  if (named == placements_.end() && node.tags.highway != "speed_camera") return;
  if (!taken_.insert(node.id).second) return Tell(NodeName(node.id), "listed more than once: taken once");
  AddPoint(node, named != placements_.end() ? &enforcements_[named->second.enforcement] : nullptr);
}

void OsmCameras::AddPoint(const OsmNode& node, const Enforcement* enforcement) {
  const OsmTags noTags{};
  const OsmTags& relation = enforcement != nullptr ? enforcement->tags : noTags;
  ListPoint point;
  point.record = read_.points.size();
  point.where = enforcement != nullptr ? RelationName(enforcement->id) + ", " + NodeName(node.id) : NodeName(node.id);
  const std::uint8_t unit = options_.mph ? kSpeedUnitMile : kSpeedUnitKilometer;
  const OsmReading speed = SpeedOfMaxspeed(EitherOf(relation.maxspeed, node.tags.maxspeed), unit);
  const OsmReading direction = DirectionOfTag(EitherOf(node.tags.direction, relation.direction));
  point.point = UserPoint{node.longitude, node.latitude, speed.value, direction.value, options_.type.value_or(kNoType)};
  if (!speed.change.empty()) Tell(point.where, speed.change);
  if (!direction.change.empty()) Tell(point.where, direction.change);
  const std::string& name = EitherOf(relation.name, node.tags.name);
  const std::string& ref = EitherOf(relation.ref, node.tags.ref);
  const std::string_view kind = relation.enforcement == "average_speed" ? kAverageSpeed : kSpeedCamera;
  point.note = NoteOfName(!name.empty()  ? std::string_view(name)
                          : !ref.empty() ? std::string_view(ref)
                                         : kind,
                          point, read_.changes);
  read_.points.push_back(std::move(point));
}

void OsmCameras::Tell(std::string where, std::string what) {
  read_.changes.push_back({0, 0, std::move(what), std::move(where)});
}

ListRead OsmCameras::Finish() && {
  for (std::size_t k = 0; k < enforcements_.size(); ++k) {
    for (const std::int64_t node : enforcements_[k].places) {
      const Placement& placement = placements_.at(node);
      if (placement.enforcement == k && !taken_.contains(node)) {
        Tell(RelationName(enforcements_[k].id), NodeName(node) + " is not in the extract: left out");
      }
    }
  }
  return std::move(read_);
}

}  // namespace userdb::formats
