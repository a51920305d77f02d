#pragma once
// The speed cameras of an OpenStreetMap extract, whatever its encoding: nodes tagged
// highway=speed_camera, and enforcement relations (maxspeed or average_speed) placed at their
// device nodes, else at their "from" node. A reader hands every relation over first and then
// the nodes it Wants, in file order; the points come in the order of their nodes, each node once.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "formats/point_list.h"

namespace userdb::formats {

// How changes and problems name an element: "node 12", "relation 7".
std::string NodeName(std::int64_t id);
std::string RelationName(std::int64_t id);

// The tags that make or shape a camera; any other tag is no concern of ours.
struct OsmTags {
  std::string highway, type, enforcement, maxspeed, direction, name, ref;

  void Take(std::string_view key, std::string_view value);
};

struct OsmNode {
  std::int64_t id = 0;
  std::uint32_t longitude = 0;  // stored coordinates
  std::uint32_t latitude = 0;
  OsmTags tags;
};

struct OsmRelation {
  std::int64_t id = 0;
  OsmTags tags;
  std::vector<std::int64_t> devices;  // its node members by their role
  std::vector<std::int64_t> froms;
  bool hasOtherPlaces = false;  // a device or from member that is not a node
};

class OsmCameras {
 public:
  explicit OsmCameras(const ListOptions& options) : options_(options) {}

  // Whether the relation is one whose members count, and so one to hand over.
  static bool IsEnforcement(const OsmTags& tags);
  void AddRelation(const OsmRelation& relation);

  bool Wants(std::int64_t node, const OsmTags& tags) const;
  void AddNode(const OsmNode& node);

  // The points, with what taking them changed; relations whose nodes the extract lacks are
  // told there too.
  ListRead Finish() &&;

 private:
  struct Enforcement {
    std::int64_t id;
    OsmTags tags;
    std::vector<std::int64_t> places;
  };
  struct Placement {
    std::size_t enforcement;  // the first relation placed at the node
  };
  void AddPoint(const OsmNode& node, const Enforcement* enforcement);
  void Tell(std::string where, std::string what);

  ListOptions options_;
  std::vector<Enforcement> enforcements_;
  std::unordered_map<std::int64_t, Placement> placements_;
  std::unordered_set<std::int64_t> taken_;  // an extract lists each node once; a broken one may not
  ListRead read_;
};

}  // namespace userdb::formats
