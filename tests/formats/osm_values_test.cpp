// maxspeed and direction as mappers write them.

#include "formats/osm_values.h"

#include <gtest/gtest.h>

#include "database/speed_codec.h"
#include "database/user_database.h"

namespace userdb::formats {
namespace {

struct Case {
  std::string_view tag;
  std::uint16_t value;
  bool told;
};

TEST(OsmValues, MaxspeedIsKmhOrMphTheLowestOfSeveralAndNoSpeedForWords) {
  const std::uint16_t kmh50 = StoredSpeed(50, kSpeedUnitKilometer);
  const std::uint16_t mph30 = StoredSpeed(30, kSpeedUnitMile);
  for (const Case& c : {Case{"50", kmh50, false}, Case{" 50 ", kmh50, false}, Case{"50 km/h", kmh50, false},
                        Case{"50kmh", kmh50, false}, Case{"30 mph", mph30, true}, Case{"30mph", mph30, true},
                        Case{"60;50", kmh50, true}, Case{"50 ; 30 mph", kmh50, true}, Case{"signals;50", kmh50, true},
                        Case{"", kNoSpeed, true}, Case{"none", kNoSpeed, true}, Case{"signals", kNoSpeed, true},
                        Case{"RU:urban", kNoSpeed, true}, Case{"0", kNoSpeed, true}, Case{"1000", kNoSpeed, true},
                        Case{"20 knots", kNoSpeed, true}, Case{"-50", kNoSpeed, true}, Case{";", kNoSpeed, true},
                        Case{"50;", kmh50, true}}) {
    const OsmReading reading = SpeedOfMaxspeed(c.tag, kSpeedUnitKilometer);
    EXPECT_EQ(reading.value, c.value) << c.tag;
    EXPECT_EQ(!reading.change.empty(), c.told) << c.tag << ": " << reading.change;
  }
  // The lowest is the lowest speed, whatever the units: 30 mph is 48 km/h.
  EXPECT_EQ(SpeedOfMaxspeed("60;30 mph", kSpeedUnitKilometer).value, mph30);
  EXPECT_EQ(SpeedOfMaxspeed("30 mph", kSpeedUnitMile).change, "");
  EXPECT_EQ(SpeedOfMaxspeed("50", kSpeedUnitMile).change, "maxspeed \"50\": converted to 29 mph");
  EXPECT_EQ(SpeedOfMaxspeed("60;30 mph", kSpeedUnitKilometer).change,
            "maxspeed \"60;30 mph\": the lowest, 30 mph, converted to 48 km/h");
}

TEST(OsmValues, DirectionIsDegreesOrACompassPointAndNoDirectionForRangesAndWords) {
  for (const Case& c :
       {Case{"0", 0, false}, Case{"90", 90, false}, Case{"359", 359, false}, Case{"360", 0, false},
        Case{"45.4", 45, true}, Case{"N", 0, true}, Case{"NNE", 23, true}, Case{"ne", 45, true}, Case{"W", 270, true},
        Case{"NNW", 338, true}, Case{"", kNoDirection, false}, Case{"361", kNoDirection, true},
        Case{"-10", kNoDirection, true}, Case{"90-270", kNoDirection, true}, Case{"45;225", kNoDirection, true},
        Case{"both", kNoDirection, true}, Case{"forward", kNoDirection, true}, Case{"backward", kNoDirection, true},
        Case{"north", kNoDirection, true}}) {
    const OsmReading reading = DirectionOfTag(c.tag);
    EXPECT_EQ(reading.value, c.value) << c.tag;
    EXPECT_EQ(!reading.change.empty(), c.told) << c.tag << ": " << reading.change;
  }
}

}  // namespace
}  // namespace userdb::formats
