#include "formats/gpx_format.h"

#include <pugixml.hpp>

#include <algorithm>
#include <bitset>
#include <functional>
#include <optional>
#include <vector>

#include "database/field_bounds.h"
#include "database/parse_decimal.h"
#include "database/speed_codec.h"
#include "formats/decimal_degrees.h"
#include "formats/hex_bytes.h"
#include "formats/note_fields.h"
#include "formats/point_list.h"
#include "formats/record_values.h"
#include "formats/xml_text.h"

namespace userdb::formats {
namespace {

constexpr std::string_view kGpx11Namespace = "http://www.topografix.com/GPX/1/1";
constexpr std::string_view kPrefix = "userdb:";
constexpr std::string_view kNamespaceAttribute = "xmlns:";
constexpr std::string_view kSpeedField = "userdb:speed";
constexpr std::string_view kDirectionField = "userdb:direction";
constexpr FieldNames kGpxFieldNames = {"lon", "lat", kSpeedField, kDirectionField, "type", "desc"};

// --- writing ---

std::string Ours(std::string_view name) { return std::string(kPrefix) + std::string(name); }

void AppendWaypoint(pugi::xml_node gpx, const UserDatabase& database, std::size_t record) {
  const UserPoint point = database.Point(record);
  pugi::xml_node waypoint = gpx.append_child("wpt");
  waypoint.append_attribute("lat") = DegreesText(point.latitude).c_str();
  waypoint.append_attribute("lon") = DegreesText(point.longitude).c_str();
  const NoteFields note = NoteFieldsOf(database.Note(record));
  if (!note.text.empty()) {
    AppendTextElement(waypoint, "name", note.text);
    AppendTextElement(waypoint, "desc", note.text);
  }
  if (point.type != kNoType) AppendTextElement(waypoint, "type", std::to_string(point.type));

  pugi::xml_node ours = waypoint.append_child("extensions").append_child(Ours("point").c_str());
  AppendTextElement(ours, Ours("index"), std::to_string(record));
  if (point.speed != kNoSpeed) AppendTextElement(ours, Ours("speed"), std::to_string(point.speed));
  if (point.direction != kNoDirection) AppendTextElement(ours, Ours("direction"), std::to_string(point.direction));
  AppendTextElement(ours, Ours("extra"), ExtraBytesText(database, record));
  if (!note.hex.empty()) AppendTextElement(ours, Ours("noteHex"), note.hex);
}

void AppendWholeRecord(pugi::xml_node extensions, const UserDatabase& database, std::size_t record) {
  pugi::xml_node whole = extensions.append_child(Ours("record").c_str());
  whole.append_attribute("index") = static_cast<unsigned>(record);
  whole.append_attribute("bytes") = HexOf(database.Record(record)).c_str();
  whole.append_attribute("note") = HexOf(database.Note(record)).c_str();
}

// --- reading ---

struct Waypoint {
  int line = 0;
  std::optional<std::size_t> index;
  bool indexTaken = false;  // its index is another record's: reported, not placed
  UserPoint point;
  std::string extra;
  NoteFields note;
  std::string noteElement;  // desc, else name
};

struct WholeRecord {
  int line = 0;
  std::size_t index = 0;
  std::string bytes;
  std::string note;
};

// value x numerator / denominator, to the nearest whole number; none when the text is not a
// non-negative decimal number.
std::optional<std::uint64_t> ScaledDecimal(std::string_view text, std::uint64_t numerator, std::uint64_t denominator) {
  constexpr std::size_t kDecimalsUsed = 6;
  const std::size_t point = text.find('.');
  const std::optional<std::uint64_t> whole = ParseDecimal(text.substr(0, point));
  std::string decimals(point == std::string_view::npos ? std::string_view() : text.substr(point + 1));
  if (!whole || (point != std::string_view::npos && !ParseDecimal(decimals))) return std::nullopt;
  decimals.resize(kDecimalsUsed, '0');
  constexpr std::uint64_t kMillion = 1000000;
  if (*whole > kMillion) return std::nullopt;
  const std::uint64_t millionths = *whole * kMillion + *ParseDecimal(decimals);
  return (millionths * numerator * 2 + denominator * kMillion) / (2 * denominator * kMillion);
}

class GpxReader {
 public:
  explicit GpxReader(std::string_view text) : text_(text) { result_.points.fieldNames = kGpxFieldNames; }

  ReadResult Read() {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(
        text_.data(), text_.size(), pugi::parse_default | pugi::parse_ws_pcdata_single, pugi::encoding_auto);
    if (!parsed) return Refused(ProblemAt(LineAt(parsed.offset), "", parsed.description()));
    const pugi::xml_node gpx = document.document_element();
    if (std::string_view(gpx.name()) != "gpx") return Refused(ProblemAt(1, "", "not a GPX file"));
    FindOurPrefix(gpx);
    for (const pugi::xml_node waypoint : gpx.children("wpt")) waypoints_.push_back(ReadWaypoint(waypoint));
    const std::string wholeRecordName = Ours("record");  // the children's iterator keeps the pointer
    for (const pugi::xml_node whole : gpx.child("extensions").children(wholeRecordName.c_str())) ReadWholeRecord(whole);
    PlaceRecords();
    return std::move(result_);
  }

 private:
  int LineAt(std::ptrdiff_t offset) const { return LineAtOffset(text_, offset); }
  int LineOf(pugi::xml_node node) const { return LineAt(node.offset_debug()); }

  void Problem(int line, std::string_view field, std::string message) {
    result_.problems.push_back(ProblemAt(line, field, std::move(message)));
  }

  // The file may bind our namespace to any prefix.
  void FindOurPrefix(pugi::xml_node gpx) {
    for (const pugi::xml_attribute attribute : gpx.attributes()) {
      const std::string_view name = attribute.name();
      if (name.starts_with(kNamespaceAttribute) && attribute.value() == kGpxNamespace) {
        prefix_ = std::string(name.substr(kNamespaceAttribute.size())) + ":";
      }
    }
  }

  std::string Ours(std::string_view name) const { return prefix_ ? *prefix_ + std::string(name) : std::string(); }

  std::uint32_t Number(pugi::xml_node node, std::string_view field, std::uint32_t absent, std::uint32_t largest) {
    std::string reason;
    const std::optional<std::uint32_t> value = ParseOptionalNumber(node.child_value(), absent, largest, reason);
    if (!value) Problem(LineOf(node), field, reason);
    return value.value_or(absent);
  }

  std::uint32_t Coordinate(pugi::xml_node waypoint, const char* name, bool (*onTheGlobe)(std::uint32_t),
                           const char* range) {
    const std::string_view text = waypoint.attribute(name).value();
    const std::optional<std::uint32_t> value = CoordinateOfDegrees(text);
    if (!value) {
      Problem(LineOf(waypoint), name, "\"" + std::string(text) + "\" is not decimal degrees");
    } else if (!onTheGlobe(*value)) {
      Problem(LineOf(waypoint), name, std::string(text) + " is outside " + range);
    }
    return value.value_or(kNoCoordinate);
  }

  // Our stored speed; else GPX 1.0's speed in m/s, taken as the window takes a typed km/h value.
  std::uint16_t Speed(pugi::xml_node waypoint, pugi::xml_node ours) {
    if (const pugi::xml_node stored = ours.child(Ours("speed").c_str())) {
      return static_cast<std::uint16_t>(Number(stored, kSpeedField, kNoSpeed, 0xFFFF));
    }
    const pugi::xml_node metresPerSecond = waypoint.child("speed");
    if (!metresPerSecond) return kNoSpeed;
    const std::optional<std::uint64_t> kmh = ScaledDecimal(metresPerSecond.child_value(), 36, 10);
    if (!kmh || *kmh > kLargestSpeed) {
      Problem(LineOf(metresPerSecond), "speed",
              "\"" + std::string(metresPerSecond.child_value()) + "\" m/s is not a speed below " +
                  std::to_string(kSpeedBound) + " km/h");
      return kNoSpeed;
    }
    return *kmh == 0 ? kNoSpeed : StoredSpeed(static_cast<std::uint32_t>(*kmh), kSpeedUnitKilometer);
  }

  // Our direction; else GPX 1.0's course in degrees, to the nearest whole degree.
  std::uint16_t Direction(pugi::xml_node waypoint, pugi::xml_node ours) {
    if (const pugi::xml_node stored = ours.child(Ours("direction").c_str())) {
      return static_cast<std::uint16_t>(Number(stored, kDirectionField, kNoDirection, 0xFFFF));
    }
    const pugi::xml_node course = waypoint.child("course");
    if (!course) return kNoDirection;
    const std::optional<std::uint64_t> degrees = ScaledDecimal(course.child_value(), 1, 1);
    if (!degrees || *degrees > kDirectionBound) {
      Problem(
          LineOf(course), "course",
          "\"" + std::string(course.child_value()) + "\" is not a course of 0 to " + std::to_string(kDirectionBound));
      return kNoDirection;
    }
    return static_cast<std::uint16_t>(*degrees % kDirectionBound);
  }

  Waypoint ReadWaypoint(pugi::xml_node waypoint) {
    Waypoint read;
    read.line = LineOf(waypoint);
    read.point.latitude = Coordinate(waypoint, "lat", LatitudeOnTheGlobe, "-90 to 90");
    read.point.longitude = Coordinate(waypoint, "lon", LongitudeOnTheGlobe, "-180 to 180");
    if (const pugi::xml_node type = waypoint.child("type"))
      read.point.type = static_cast<std::uint8_t>(Number(type, "type", kNoType, 0xFF));
    const pugi::xml_node ours = waypoint.child("extensions").child(Ours("point").c_str());
    if (const pugi::xml_node index = ours.child(Ours("index").c_str())) {
      std::string reason;
      read.index = ParseRecordIndex(index.child_value(), reason);
      if (!read.index) Problem(LineOf(index), "userdb:index", reason);
    }
    read.point.speed = Speed(waypoint, ours);
    read.point.direction = Direction(waypoint, ours);
    read.extra = ours.child_value(Ours("extra").c_str());
    const pugi::xml_node description = waypoint.child("desc") ? waypoint.child("desc") : waypoint.child("name");
    read.note = NoteFields{description.child_value(), ours.child_value(Ours("noteHex").c_str())};
    read.noteElement = description ? description.name() : "desc";
    if (!ours) ReadGarminExtension(waypoint, read);
    return read;
  }

  // Garmin's own waypoints: a speed as "@NNN" at the end of the name, and a proximity alarm,
  // which the device has no place for.
  void ReadGarminExtension(pugi::xml_node waypoint, Waypoint& read) {
    const std::string name = waypoint.child_value("name");
    const std::optional<NamedSpeed> named = SpeedInName(name);
    if (named && read.point.speed == kNoSpeed && named->speed <= kLargestSpeed) {
      read.point.speed = StoredSpeed(named->speed, kSpeedUnitKilometer);
      if (read.noteElement == "name") read.note.text = std::string(named->name);
    }
    for (const pugi::xml_node extension : waypoint.child("extensions").children()) {
      const std::string_view element = extension.name();
      if (!element.ends_with("WaypointExtension")) continue;
      const std::string prefix(element.substr(0, element.size() - std::string_view("WaypointExtension").size()));
      if (const pugi::xml_node proximity = extension.child((prefix + "Proximity").c_str())) {
        result_.changes.push_back({LineOf(proximity), 0,
                                   "proximity alarm of " + std::string(proximity.child_value()) +
                                       " m left out: the device warns at its own distance"});
      }
    }
  }

  void ReadWholeRecord(pugi::xml_node whole) {
    std::string reason;
    const std::optional<std::size_t> index = ParseRecordIndex(whole.attribute("index").value(), reason);
    if (!index) return Problem(LineOf(whole), "index", reason);
    wholeRecords_.push_back(
        WholeRecord{LineOf(whole), *index, whole.attribute("bytes").value(), whole.attribute("note").value()});
  }

  bool Claim(std::size_t index, int line) {
    if (taken_.test(index)) {
      Problem(line, "userdb:index", "record " + std::to_string(index) + " is given twice");
      return false;
    }
    taken_.set(index);
    result_.points.lines[index] = line;
    return true;
  }

  void PlaceRecords() {
    for (const WholeRecord& whole : wholeRecords_) {
      if (Claim(whole.index, whole.line)) PlaceWholeRecord(whole);
    }
    for (Waypoint& waypoint : waypoints_) {
      if (waypoint.index) waypoint.indexTaken = !Claim(*waypoint.index, waypoint.line);
    }
    for (Waypoint& waypoint : waypoints_) {
      if (waypoint.indexTaken) continue;
      if (!waypoint.index && !taken_.all()) {
        waypoint.index = FirstFree();
        Claim(*waypoint.index, waypoint.line);
      } else if (!waypoint.index) {
        return Problem(waypoint.line, "", "more than 256 points: a device holds 256");
      }
      PlaceWaypoint(waypoint);
    }
  }

  std::size_t FirstFree() const {
    std::size_t index = 0;
    while (taken_.test(index)) ++index;
    return index;
  }

  void PlaceWholeRecord(const WholeRecord& whole) {
    UserDatabase& database = result_.points.database;
    if (!ReadHex(whole.bytes, database.Record(whole.index))) Problem(whole.line, "bytes", "not 32 hex digits");
    if (!ReadHex(whole.note, database.Note(whole.index))) Problem(whole.line, "note", "not 256 hex digits");
  }

  void PlaceWaypoint(const Waypoint& waypoint) {
    UserDatabase& database = result_.points.database;
    database.SetPoint(*waypoint.index, waypoint.point);
    if (!ReadExtraBytes(waypoint.extra, database, *waypoint.index)) {
      Problem(waypoint.line, "userdb:extra", "not 6 hex digits (bytes 13 to 15)");
    }
    if (auto problem =
            ReadNoteFields(waypoint.note, {waypoint.noteElement, "userdb:noteHex"}, database.Note(*waypoint.index))) {
      Problem(waypoint.line, problem->field, problem->message);
    }
  }

  std::string_view text_;
  std::optional<std::string> prefix_;
  std::vector<Waypoint> waypoints_;
  std::vector<WholeRecord> wholeRecords_;
  std::bitset<kRecordCount> taken_;
  ReadResult result_;
};

}  // namespace

std::string WriteGpx(const UserDatabase& database) {
  pugi::xml_document document;
  AppendXmlDeclaration(document);
  pugi::xml_node gpx = document.append_child("gpx");
  gpx.append_attribute("version") = "1.1";
  gpx.append_attribute("creator") = "userdb";
  gpx.append_attribute("xmlns") = std::string(kGpx11Namespace).c_str();
  gpx.append_attribute((std::string(kNamespaceAttribute) + "userdb").c_str()) = std::string(kGpxNamespace).c_str();

  std::vector<std::size_t> wholeRecords;
  for (std::size_t record = 0; record < kRecordCount; ++record) {
    if (!HoldsAnything(database, record)) continue;
    if (OnAMap(database.Point(record))) {
      AppendWaypoint(gpx, database, record);
    } else {
      wholeRecords.push_back(record);
    }
  }
  if (!wholeRecords.empty()) {
    pugi::xml_node extensions = gpx.append_child("extensions");
    for (const std::size_t record : wholeRecords) AppendWholeRecord(extensions, database, record);
  }
  return XmlText(document);
}

ReadResult ReadGpx(std::string_view text) { return GpxReader(text).Read(); }

}  // namespace userdb::formats
