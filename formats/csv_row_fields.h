#pragma once
// The fields of one CSV data row by column name, with a problem noted on the row's line for
// each field that does not hold what it should.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/csv_columns.h"

namespace userdb::formats {

class CsvRowFields {
 public:
  CsvRowFields(const CsvRecord& row, const CsvColumns& columns, std::vector<FileProblem>& problems)
      : row_(row), columns_(columns), problems_(problems) {}

  int Line() const { return row_.line; }
  std::string_view Field(std::string_view column) const { return columns_.Field(row_, column); }
  void Problem(std::string_view column, std::string message);
  std::size_t ProblemCount() const { return problems_.size(); }

  // A whole number up to largest, absent for an empty field; none after noting the problem.
  std::optional<std::uint32_t> Number(std::string_view column, std::uint32_t absent, std::uint32_t largest);
  // A CoordinateValue from decimal degrees; none after noting the problem.
  std::optional<std::uint32_t> Coordinate(std::string_view column);

 private:
  const CsvRecord& row_;
  const CsvColumns& columns_;
  std::vector<FileProblem>& problems_;
};

}  // namespace userdb::formats
