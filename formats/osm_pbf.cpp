#include "formats/osm_pbf.h"

#include <osmium/io/pbf_input.hpp>
#include <osmium/io/reader.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/relation.hpp>

#include <cstdlib>
#include <functional>

#include "formats/decimal_degrees.h"
#include "formats/osm_cameras.h"

namespace userdb::formats {
namespace {

using OpenFile = std::function<osmium::io::File()>;

constexpr std::int32_t kFixedPerDegree = 10000000;  // a location's unit, 1e-7 degree

// As the same location written in an .osm file reads, so that both encodings give one point.
std::optional<std::uint32_t> CoordinateOfFixed(std::int32_t fixed) {
  const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(fixed));
  std::string decimals = std::to_string(magnitude % kFixedPerDegree);
  decimals.insert(0, 7 - decimals.size(), '0');
  return CoordinateOfDegrees((fixed < 0 ? "-" : "") + std::to_string(magnitude / kFixedPerDegree) + "." + decimals);
}

OsmTags TagsOf(const osmium::TagList& list) {
  OsmTags tags;
  for (const osmium::Tag& tag : list) tags.Take(tag.key(), tag.value());
  return tags;
}

std::string NameOf(osmium::item_type type, osmium::object_id_type id) {
  return type == osmium::item_type::node ? NodeName(id) : RelationName(id);
}

class PbfReader {
 public:
  PbfReader(OpenFile open, const ListOptions& options) : open_(std::move(open)), cameras_(options) {}

  ListRead Read() && {
    try {
      Pass(osmium::osm_entity_bits::relation,
           [this](const osmium::OSMObject& object) { ReadRelation(static_cast<const osmium::Relation&>(object)); });
      Pass(osmium::osm_entity_bits::node,
           [this](const osmium::OSMObject& object) { ReadNode(static_cast<const osmium::Node&>(object)); });
    } catch (const std::exception& error) {
      // libosmium says what is wrong, but not where: the last element read well is the place.
      Problem(lastId_ ? "after " + NameOf(lastType_, *lastId_) : "at the start", error.what());
    }
    if (!problems_.empty()) {
      ListRead refused;
      refused.problems = std::move(problems_);
      return refused;
    }
    return std::move(cameras_).Finish();
  }

 private:
  void Pass(osmium::osm_entity_bits::type kinds, const std::function<void(const osmium::OSMObject&)>& read) {
    osmium::io::Reader reader(open_(), kinds, osmium::io::read_meta::no);
    while (const osmium::memory::Buffer buffer = reader.read()) {
      for (const osmium::OSMObject& object : buffer.select<osmium::OSMObject>()) {
        read(object);
        lastType_ = object.type();
        lastId_ = object.id();
      }
    }
    reader.close();
  }

  void Problem(std::string_view field, std::string message) {
    problems_.push_back(ProblemAt(0, field, std::move(message)));
  }

  void ReadRelation(const osmium::Relation& element) {
    OsmRelation relation;
    relation.tags = TagsOf(element.tags());
    if (!OsmCameras::IsEnforcement(relation.tags)) return;
    relation.id = element.id();
    for (const osmium::RelationMember& member : element.members()) {
      const std::string_view role = member.role();
      if (role != "device" && role != "from") continue;
      if (member.type() != osmium::item_type::node) {
        relation.hasOtherPlaces = true;
        continue;
      }
      (role == "device" ? relation.devices : relation.froms).push_back(member.ref());
    }
    cameras_.AddRelation(relation);
  }

  void ReadNode(const osmium::Node& element) {
    OsmNode node;
    node.id = element.id();
    if (!element.tags().empty()) node.tags = TagsOf(element.tags());
    if (!cameras_.Wants(node.id, node.tags)) return;
    const osmium::Location location = element.location();
    const std::optional<std::uint32_t> latitude = CoordinateOfFixed(location.y());
    const std::optional<std::uint32_t> longitude = CoordinateOfFixed(location.x());
    if (!location.valid() || !latitude || !longitude || !LatitudeOnTheGlobe(*latitude) ||
        !LongitudeOnTheGlobe(*longitude)) {
      return Problem(NameOf(element.type(), element.id()), "no position on the globe");
    }
    node.latitude = *latitude;
    node.longitude = *longitude;
    cameras_.AddNode(node);
  }

  OpenFile open_;
  OsmCameras cameras_;
  std::vector<FileProblem> problems_;
  osmium::item_type lastType_ = osmium::item_type::undefined;
  std::optional<osmium::object_id_type> lastId_;
};

}  // namespace

ListRead ReadOsmPbfFile(const std::filesystem::path& path, const ListOptions& options) {
  return PbfReader([path] { return osmium::io::File(path.string(), "pbf"); }, options).Read();
}

ListRead ReadOsmPbf(std::string_view contents, const ListOptions& options) {
  return PbfReader([contents] { return osmium::io::File(contents.data(), contents.size(), "pbf"); }, options).Read();
}

}  // namespace userdb::formats
