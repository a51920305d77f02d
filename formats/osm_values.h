#pragma once
// The speed and direction tags of OpenStreetMap as a device's point takes them. Mappers write
// them many ways ("50", "30 mph", "50;30", "signals", "NE", "90-270", "both"): each reading
// that is not the tag taken as it stands says how it was taken, so that it can be counted.

#include <cstdint>
#include <string>
#include <string_view>

namespace userdb::formats {

struct OsmReading {
  std::uint16_t value;  // a stored speed or a direction; kNoSpeed or kNoDirection for none
  std::string change;   // empty when the tag was taken as it stands
};

// maxspeed: km/h unless it says "mph"; the lowest of several; none for "none", "signals" and
// any other word. deviceUnit is the unit the device shows speeds in.
OsmReading SpeedOfMaxspeed(std::string_view tag, std::uint8_t deviceUnit);

// direction: degrees or one of the 16 compass points; none for a range, "both", "forward",
// "backward" or any other word, and for no tag.
OsmReading DirectionOfTag(std::string_view tag);

}  // namespace userdb::formats
