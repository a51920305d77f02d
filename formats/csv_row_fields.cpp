#include "formats/csv_row_fields.h"

#include "formats/decimal_degrees.h"
#include "formats/record_values.h"

namespace userdb::formats {

void CsvRowFields::Problem(std::string_view column, std::string message) {
  problems_.push_back(ProblemAt(row_.line, column, std::move(message)));
}

std::optional<std::uint32_t> CsvRowFields::Number(std::string_view column, std::uint32_t absent,
                                                  std::uint32_t largest) {
  std::string reason;
  const std::optional<std::uint32_t> value = ParseOptionalNumber(Field(column), absent, largest, reason);
  if (!value) Problem(column, reason);
  return value;
}

std::optional<std::uint32_t> CsvRowFields::Coordinate(std::string_view column) {
  const std::optional<std::uint32_t> value = CoordinateOfDegrees(Field(column));
  if (!value) Problem(column, "\"" + std::string(Field(column)) + "\" is not decimal degrees");
  return value;
}

}  // namespace userdb::formats
