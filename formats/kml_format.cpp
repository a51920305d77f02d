#include "formats/kml_format.h"

#include <pugixml.hpp>

#include "database/speed_codec.h"
#include "formats/decimal_degrees.h"
#include "formats/note_fields.h"
#include "formats/xml_text.h"

namespace userdb::formats {
namespace {

constexpr const char* kKmlNamespace = "http://www.opengis.net/kml/2.2";

std::string Description(std::size_t record, const UserPoint& point) {
  std::string text = "Record " + std::to_string(record);
  text += point.speed == kNoSpeed ? ", no speed"
                                  : ", " + std::to_string(ShownSpeed(point.speed, kSpeedUnitKilometer)) + " km/h";
  text += point.direction == kNoDirection ? ", no direction" : ", direction " + std::to_string(point.direction);
  text += point.type == kNoType ? ", no type" : ", type " + std::to_string(point.type);
  return text;
}

void AppendPlacemark(pugi::xml_node document, const UserDatabase& database, std::size_t record) {
  const UserPoint point = database.Point(record);
  const std::string note = NoteFieldsOf(database.Note(record)).text;
  pugi::xml_node placemark = document.append_child("Placemark");
  AppendTextElement(placemark, "name", note.empty() ? "Point " + std::to_string(record) : note);
  AppendTextElement(placemark, "description", Description(record, point));
  AppendTextElement(placemark.append_child("Point"), "coordinates",
                    DegreesText(point.longitude) + "," + DegreesText(point.latitude));
}

}  // namespace

std::string WriteKml(const UserDatabase& database) {
  pugi::xml_document kml;
  AppendXmlDeclaration(kml);
  pugi::xml_node root = kml.append_child("kml");
  root.append_attribute("xmlns") = kKmlNamespace;
  pugi::xml_node document = root.append_child("Document");
  AppendTextElement(document, "name", "userdb points");
  for (std::size_t record = 0; record < kRecordCount; ++record) {
    if (OnAMap(database.Point(record))) AppendPlacemark(document, database, record);
  }
  return XmlText(kml);
}

}  // namespace userdb::formats
