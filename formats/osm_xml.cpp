#include "formats/osm_xml.h"

#include <pugixml.hpp>

#include <charconv>

#include "formats/decimal_degrees.h"
#include "formats/osm_cameras.h"
#include "formats/xml_text.h"

namespace userdb::formats {
namespace {

std::optional<std::int64_t> IdOf(const pugi::xml_node element, const char* attribute) {
  const std::string_view text = element.attribute(attribute).value();
  std::int64_t id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return id;
}

OsmTags TagsOf(const pugi::xml_node element) {
  OsmTags tags;
  for (const pugi::xml_node tag : element.children("tag"))
    tags.Take(tag.attribute("k").value(), tag.attribute("v").value());
  return tags;
}

class OsmXmlReader {
 public:
  OsmXmlReader(std::string_view text, const ListOptions& options) : text_(text), cameras_(options) {}

  ListRead Read() && {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(text_.data(), text_.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed) return Refused(ProblemAt(LineAtOffset(text_, parsed.offset), "", parsed.description()));
    const pugi::xml_node osm = document.document_element();
    if (std::string_view(osm.name()) != "osm") return Refused(ProblemAt(1, "", "not an OpenStreetMap file"));
    // Relations come last in an extract, yet say which nodes are cameras.
    for (const pugi::xml_node relation : osm.children("relation")) ReadRelation(relation);
    for (const pugi::xml_node node : osm.children("node")) ReadNode(node);
    if (!problems_.empty()) return Refused(std::move(problems_));
    return std::move(cameras_).Finish();
  }

 private:
  static ListRead Refused(FileProblem problem) {
    ListRead read;
    read.problems.push_back(std::move(problem));
    return read;
  }
  static ListRead Refused(std::vector<FileProblem> problems) {
    ListRead read;
    read.problems = std::move(problems);
    return read;
  }

  void Problem(const pugi::xml_node element, std::string_view field, std::string message) {
    problems_.push_back(ProblemAt(LineAtOffset(text_, element.offset_debug()), field, std::move(message)));
  }

  void ReadRelation(const pugi::xml_node element) {
    OsmRelation relation;
    relation.tags = TagsOf(element);
    if (!OsmCameras::IsEnforcement(relation.tags)) return;
    const std::optional<std::int64_t> id = IdOf(element, "id");
    if (!id) return Problem(element, "relation", "no id");
    relation.id = *id;
    for (const pugi::xml_node member : element.children("member")) ReadMember(member, relation);
    cameras_.AddRelation(relation);
  }

  void ReadMember(const pugi::xml_node member, OsmRelation& relation) {
    const std::string_view role = member.attribute("role").value();
    if (role != "device" && role != "from") return;
    if (std::string_view(member.attribute("type").value()) != "node") {
      relation.hasOtherPlaces = true;
      return;
    }
    const std::optional<std::int64_t> ref = IdOf(member, "ref");
    if (!ref) return Problem(member, RelationName(relation.id), "a member without a node's ref");
    (role == "device" ? relation.devices : relation.froms).push_back(*ref);
  }

  void ReadNode(const pugi::xml_node element) {
    OsmNode node;
    const std::optional<std::int64_t> id = IdOf(element, "id");
    node.tags = TagsOf(element);
    if (!id) {
      if (node.tags.highway == "speed_camera") Problem(element, "node", "no id");
      return;
    }
    node.id = *id;
    if (!cameras_.Wants(node.id, node.tags)) return;
    const std::string where = NodeName(node.id);
    const std::optional<std::uint32_t> latitude = CoordinateOfDegrees(element.attribute("lat").value());
    const std::optional<std::uint32_t> longitude = CoordinateOfDegrees(element.attribute("lon").value());
    if (!latitude || !LatitudeOnTheGlobe(*latitude)) return Problem(element, where, "lat is not a latitude in degrees");
    if (!longitude || !LongitudeOnTheGlobe(*longitude)) {
      return Problem(element, where, "lon is not a longitude in degrees");
    }
    node.latitude = *latitude;
    node.longitude = *longitude;
    cameras_.AddNode(node);
  }

  std::string_view text_;
  OsmCameras cameras_;
  std::vector<FileProblem> problems_;
};

}  // namespace

ListRead ReadOsmXml(std::string_view text, const ListOptions& options) { return OsmXmlReader(text, options).Read(); }

}  // namespace userdb::formats
