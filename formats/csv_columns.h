#pragma once
// A CSV's columns found by their header names, so that a spreadsheet may reorder them.

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/csv_table.h"

namespace userdb::formats {

struct ColumnNames {
  std::span<const std::string_view> required;
  std::span<const std::string_view> optional;
  bool ignoreCase = false;
};

// Whether a header field is the name, case ignored when asked.
bool SameColumnName(std::string_view field, std::string_view name, bool ignoreCase);

class CsvColumns {
 public:
  // Adds a problem for every required name missing and every name unknown or repeated.
  CsvColumns(const CsvRecord& header, const ColumnNames& names, std::vector<FileProblem>& problems);

  bool Has(std::string_view name) const { return index_.contains(name); }
  // The row's field of the named column; empty when the file has no such column.
  std::string_view Field(const CsvRecord& row, std::string_view name) const;
  // A problem when the row has another number of fields than the header.
  std::optional<FileProblem> CheckWidth(const CsvRecord& row) const;

 private:
  std::map<std::string, std::size_t, std::less<>> index_;  // by the name as the caller spells it
  std::size_t width_ = 0;
};

}  // namespace userdb::formats
