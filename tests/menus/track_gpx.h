#pragma once
// A route as a navigation program saves a drive: one GPX track through the places given.

#include <initializer_list>
#include <string>

#include "formats/earth_position.h"

namespace userdb::test {

inline std::string TrackGpx(std::initializer_list<formats::EarthPosition> places) {
  std::string gpx =
      "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"test\" "
      "xmlns=\"http://www.topografix.com/GPX/1/1\">\n<trk><name>drive</name><trkseg>\n";
  for (const formats::EarthPosition& place : places) {
    gpx += "<trkpt lat=\"" + std::to_string(place.latitude) + "\" lon=\"" + std::to_string(place.longitude) + "\"/>\n";
  }
  return gpx + "</trkseg></trk>\n</gpx>\n";
}

}  // namespace userdb::test
