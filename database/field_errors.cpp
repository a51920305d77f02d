#include "database/field_errors.h"

#include <array>
#include <string_view>

namespace userdb {

namespace {
// The device's users know these texts; they stay as they are, misspellings included.
constexpr std::array<std::string_view, 14> kErrorLines = {
    "Longitude - (E)ast / (W)est \r\n",
    "Longitude - degress must  under 180 \r\n",
    "Longitude - minute must under 60 \r\n",
    "Longitude - second must under 60 \r\n",
    "Longitude - millisecond must under 100 \r\n",
    "Latitude - (N)orth / (S)outh \r\n",
    "Latitude - degress must under 90 \r\n",
    "Latitude - minute must under 60 \r\n",
    "Latitude - second must under 60 \r\n",
    "Latitude - millisecond must under 100 \r\n",
    "Speed must under 1000 \r\n",
    "Direction must under 360 \r\n",
    "Type must be 0 or 1\r\n",
    "Note must under 128 bytes\r\n",
};
}  // namespace

void AppendErrorLines(FieldErrorMask mask, std::string& text) {
  for (std::size_t bit = 0; bit < kErrorLines.size(); ++bit) {
    if ((mask & FieldErrorBit(static_cast<int>(bit))) != 0) text += kErrorLines[bit];
  }
}

}  // namespace userdb
