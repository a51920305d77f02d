#include "formats/ov2_format.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "database/field_bounds.h"
#include "database/note_codec.h"
#include "formats/decimal_degrees.h"
#include "formats/latin1_text.h"

namespace userdb::formats {
namespace {

constexpr std::uint8_t kDeleted = 0;
constexpr std::uint8_t kSkipper = 1;
constexpr std::uint8_t kPoint = 2;
constexpr std::uint8_t kExtended = 3;
constexpr std::size_t kPointHeader = 13;         // type, length, longitude, latitude
constexpr std::size_t kSkipperSize = 21;         // type, length, four corners
constexpr std::size_t kDeletedHeader = 5;        // type, length
constexpr std::int32_t kUnitsPerStoredUnit = 6;  // 1/100000 degree is 6/600000
constexpr std::int32_t kUnitsPerDegree = 100000;
constexpr std::int32_t kLargestLongitude = kLongitudeDegreesBound * kUnitsPerDegree;
constexpr std::int32_t kLargestLatitude = kLatitudeDegreesBound * kUnitsPerDegree;

std::int32_t ReadI32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return static_cast<std::int32_t>(value);
}

void WriteI32(std::string& out, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

std::uint32_t CoordinateOfOv2(std::int32_t value) {
  const std::uint32_t magnitude =
      static_cast<std::uint32_t>(std::abs(static_cast<std::int64_t>(value))) * kUnitsPerStoredUnit;
  return value < 0 ? (magnitude | kHemisphereBit) : magnitude;
}

// To the nearest 1/100000 degree, but never onto the 180th meridian the device cannot hold;
// whether that moved it.
std::int32_t Ov2OfCoordinate(std::uint32_t coordinate, bool& rounded) {
  const std::uint32_t magnitude = CoordinateMagnitude(coordinate);
  rounded = rounded || magnitude % kUnitsPerStoredUnit != 0;
  const auto units = std::min(static_cast<std::int32_t>((magnitude + kUnitsPerStoredUnit / 2) / kUnitsPerStoredUnit),
                              kLargestLongitude - 1);
  return (coordinate & kHemisphereBit) != 0 ? -units : units;
}

class Ov2Reader {
 public:
  Ov2Reader(std::string_view bytes, const ListOptions& options) : bytes_(bytes), options_(options) {}

  ListRead Read() {
    while (at_ < bytes_.size() && result_.Ok()) ReadRecord();
    return std::move(result_);
  }

 private:
  void Problem(std::string message) {
    FileProblem problem = ProblemAt(0, "", std::move(message) + " (at byte " + std::to_string(at_) + ")");
    problem.record = record_;
    result_.problems.push_back(std::move(problem));
  }

  // The length field of a record that starts here, checked to lie within the file.
  std::optional<std::size_t> Length(std::size_t smallest) {
    if (bytes_.size() - at_ < kDeletedHeader) return Problem("a record cut short"), std::nullopt;
    const std::int32_t length = ReadI32(bytes_, at_ + 1);
    if (length < 0 || static_cast<std::size_t>(length) < smallest) {
      return Problem("a record length of " + std::to_string(length) + " bytes"), std::nullopt;
    }
    if (static_cast<std::size_t>(length) > bytes_.size() - at_) {
      return Problem("a record length of " + std::to_string(length) + " bytes, past the end of the file"), std::nullopt;
    }
    return static_cast<std::size_t>(length);
  }

  void ReadRecord() {
    switch (static_cast<std::uint8_t>(bytes_[at_])) {
      case kDeleted:
        if (const auto length = Length(kDeletedHeader)) at_ += *length;
        break;
      case kSkipper:
        ReadSkipper();
        break;
      case kPoint:
      case kExtended:
        ReadPoint();
        break;
      default:
        Problem("a record of unknown type " + std::to_string(static_cast<unsigned char>(bytes_[at_])));
        return;
    }
    ++record_;
  }

  // Only the block it covers is checked: the points in it are read one by one anyway.
  void ReadSkipper() {
    if (bytes_.size() - at_ < kSkipperSize) return Problem("a skipper record cut short");
    if (Length(kSkipperSize)) at_ += kSkipperSize;
  }

  void ReadPoint() {
    const std::optional<std::size_t> length = Length(kPointHeader + 1);
    if (!length) return;
    const std::string_view record = bytes_.substr(at_, *length);
    const std::size_t nameEnd = record.find('\0', kPointHeader);
    if (nameEnd == std::string_view::npos) return Problem("a name without its closing zero byte");
    const std::int32_t longitude = ReadI32(record, 5);
    const std::int32_t latitude = ReadI32(record, 9);
    if (std::abs(static_cast<std::int64_t>(longitude)) > kLargestLongitude ||
        std::abs(static_cast<std::int64_t>(latitude)) > kLargestLatitude) {
      return Problem("a position off the globe");
    }
    ListPoint point;
    point.record = record_;
    point.point = UserPoint{CoordinateOfOv2(OnTheDevicesSide(longitude, point)), CoordinateOfOv2(latitude), kNoSpeed,
                            kNoDirection, options_.type.value_or(kNoType)};
    point.note = NoteOfName(record.substr(kPointHeader, nameEnd - kPointHeader), point, result_.changes);
    result_.points.push_back(std::move(point));
    at_ += *length;
  }

  // The 180th meridian is the same line either way, but the device holds longitudes below 180.
  std::int32_t OnTheDevicesSide(std::int32_t longitude, const ListPoint& point) {
    if (std::abs(static_cast<std::int64_t>(longitude)) < kLargestLongitude) return longitude;
    result_.changes.push_back({0, point.record, "longitude 180 stored as 179.99999, the last the device holds"});
    return longitude < 0 ? -(kLargestLongitude - 1) : kLargestLongitude - 1;
  }

  std::string_view bytes_;
  const ListOptions& options_;
  std::size_t at_ = 0;
  std::size_t record_ = 0;
  ListRead result_;
};

struct Bounds {
  std::int32_t east = -kLargestLongitude;
  std::int32_t north = -kLargestLatitude;
  std::int32_t west = kLargestLongitude;
  std::int32_t south = kLargestLatitude;

  void Take(std::int32_t longitude, std::int32_t latitude) {
    east = std::max(east, longitude);
    west = std::min(west, longitude);
    north = std::max(north, latitude);
    south = std::min(south, latitude);
  }
};

void NoteLosses(const ListPoint& at, bool rounded, std::vector<Change>& changes) {
  const UserPoint& point = at.point;
  const auto note = [&](std::string what) { changes.push_back(ChangeAt(at, std::move(what))); };
  if (rounded) note("position rounded to 0.00001 degree");
  if (point.speed != kNoSpeed) note("speed left out: OV2 has none");
  if (point.direction != kNoDirection) note("direction left out: OV2 has none");
  if (point.type != kNoType) note("type left out: OV2 has none");
}

// ISO 8859-1 as the format has it, unless a reader would take those bytes for UTF-8: then
// UTF-8, which reads back to the same note.
std::string NameOfNote(const std::string& note) {
  const bool plain = std::all_of(note.begin(), note.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return plain || !Latin1OfUtf8(note) ? note : Utf8OfBytes(note);
}

}  // namespace

ListRead ReadOv2(std::string_view bytes, const ListOptions& options) { return Ov2Reader(bytes, options).Read(); }

std::string WriteOv2(std::span<const ListPoint> points, std::vector<Change>& changes) {
  std::string records;
  Bounds bounds;
  for (const ListPoint& at : points) {
    const UserPoint& point = at.point;
    bool rounded = false;
    const std::int32_t longitude = Ov2OfCoordinate(point.longitude, rounded);
    const std::int32_t latitude = Ov2OfCoordinate(point.latitude, rounded);
    NoteLosses(at, rounded, changes);
    const std::string name = NameOfNote(at.note);
    records += static_cast<char>(kPoint);
    WriteI32(records, static_cast<std::int32_t>(kPointHeader + name.size() + 1));
    WriteI32(records, longitude);
    WriteI32(records, latitude);
    records += name;
    records += '\0';
    bounds.Take(longitude, latitude);
  }
  if (points.size() <= kOv2SkipperThreshold) return records;
  std::string file(1, static_cast<char>(kSkipper));
  WriteI32(file, static_cast<std::int32_t>(kSkipperSize + records.size()));
  for (const std::int32_t corner : {bounds.east, bounds.north, bounds.west, bounds.south}) WriteI32(file, corner);
  return file + records;
}

}  // namespace userdb::formats
