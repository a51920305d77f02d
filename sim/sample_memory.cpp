#include "sim/sample_memory.h"

#include <cmath>
#include <cstring>
#include <string_view>

#include "base/little_endian.h"

namespace userdb::sim {
namespace {

struct SamplePoint {
  double latitude;   // degrees, negative = South
  double longitude;  // degrees, negative = West
  int kmh;           // 0: no speed
  int direction;     // -1: no direction
  std::uint8_t type;
  std::string_view note;
};

constexpr SamplePoint kSamplePoints[] = {
    {48.7758, 9.1829, 60, 270, 0, "B14 Stuttgart tunnel exit"},
    {52.5200, 13.4050, 50, -1, 1, "Alexanderplatz red light"},
    {53.5511, 9.9937, 80, 180, 0, "Elbtunnel southbound"},
    {50.1109, 8.6821, 100, 90, 0, "A5 Frankfurter Kreuz"},
    {48.8566, 2.3522, 70, 0, 0, "Peripherique Porte Maillot"},
    {45.7640, 4.8357, 70, 195, 0, "A7 tunnel de Fourviere"},
    {43.2965, 5.3698, 0, -1, 1, "Vieux-Port red light"},
    {51.5074, -0.1278, 64, 270, 0, "A40 Westway average speed"},
    {53.4808, -2.2426, 48, 45, 0, "Mancunian Way"},
    {55.9533, -3.1883, 32, -1, 1, "Princes Street bus lane"},
    {40.4168, -3.7038, 70, 315, 0, "M-30 Calle 30 tunnel"},
    {41.3874, 2.1686, 80, 225, 0, "Ronda Litoral km 12"},
    {41.9028, 12.4964, 130, 350, 0, "GRA Tutor"},
    {45.4642, 9.1900, 50, -1, 1, "Viale Fulvio Testi"},
    {52.3676, 4.9041, 100, 10, 0, "A10 ring trajectcontrole"},
    {47.3769, 8.5417, 60, 120, 0, "Hardbruecke"},
    {48.2082, 16.3738, 80, 240, 0, "A23 Suedosttangente"},
    {52.2297, 21.0122, 50, -1, 1, "Aleje Jerozolimskie"},
    {40.7128, -74.0060, 40, 0, 1, "School zone, 25 mph"},
    {34.0522, -118.2437, 105, 160, 0, "I-10 Santa Monica Fwy"},
    {41.8781, -87.6298, 48, -1, 1, "Lake Shore Drive"},
    {43.6532, -79.3832, 100, 75, 0, "Gardiner Expressway"},
    {-23.5505, -46.6333, 70, 300, 0, "Marginal Tiete"},
    {-34.6037, -58.3816, 60, 0, 0, "Avenida 9 de Julio"},
    {-33.8688, 151.2093, 70, 355, 0, "Harbour Bridge northbound"},
    {-37.8136, 144.9631, 40, -1, 1, "Flinders St school zone"},
    {-36.8485, 174.7633, 80, 130, 0, "SH1 Harbour Bridge"},
    {-33.9249, 18.4241, 60, 200, 0, "N2 Settlers Way"},
    {35.6762, 139.6503, 80, 20, 0, "Shuto Expressway C1"},
    {1.3521, 103.8198, 90, 250, 0, "PIE Kallang"},
    {37.5665, 126.9780, 60, 100, 0, "Olympic-daero"},
    {59.3293, 18.0686, 70, -1, 0, "Essingeleden"},
};

constexpr std::uint32_t kSouthOrWest = 0x80000000;
constexpr double kUnitsPerDegree = 600000.0;  // ten-thousandths of a minute

std::uint32_t Coordinate(double degrees) {
  const auto magnitude = static_cast<std::uint32_t>(std::llround(std::fabs(degrees) * kUnitsPerDegree));
  return degrees < 0 ? (magnitude | kSouthOrWest) : magnitude;
}

// The device stores knots; this is the program's own kilometer conversion.
std::uint16_t StoredSpeed(int kmh) { return kmh == 0 ? 0xFFFF : static_cast<std::uint16_t>(kmh * 539 / 1000); }

std::uint16_t StoredDirection(int direction) { return direction < 0 ? 0xFFFF : static_cast<std::uint16_t>(direction); }

void WritePoint(std::span<std::uint8_t, kPointSize> record, const SamplePoint& point, std::size_t index) {
  WriteLe32(record, 0, Coordinate(point.longitude));
  WriteLe32(record, 4, Coordinate(point.latitude));
  WriteLe16(record, 8, StoredSpeed(point.kmh));
  WriteLe16(record, 10, StoredDirection(point.direction));
  record[12] = point.type;
  // The device's own bytes; distinct per record so that a program that rewrites them shows.
  record[13] = 0x00;
  record[14] = static_cast<std::uint8_t>(index);
  record[15] = 0xA5;
}

void WriteNote(std::span<std::uint8_t, kNoteBlockSize> note, std::string_view text) {
  std::memcpy(note.data(), text.data(), text.size());
}

void WriteIdentity(DeviceMemory& memory) {
  memory.info[0] = 0x01;
  memory.info[1] = 0x1A;  // firmware 3.2
  memory.info[2] = 0x0A;  // hardware 1.2
  memory.info[3] = 0x00;
  WriteLe32(memory.info, 4, 20110318);
  constexpr std::string_view kDatabaseVersion = "DB20110318";
  std::memcpy(memory.version.data(), kDatabaseVersion.data(), kDatabaseVersion.size());
}

}  // namespace

std::size_t SamplePointCount() { return std::size(kSamplePoints); }

DeviceMemory SampleMemory() {
  DeviceMemory memory;
  memory.image.fill(0xFF);
  for (std::size_t i = 0; i < std::size(kSamplePoints); ++i) {
    WritePoint(memory.Point(i), kSamplePoints[i], i);
    WriteNote(memory.Note(i), kSamplePoints[i].note);
  }
  memory.unit = kUnitKilometer;
  WriteIdentity(memory);
  return memory;
}

}  // namespace userdb::sim
