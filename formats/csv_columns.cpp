#include "formats/csv_columns.h"

#include <algorithm>
#include <cctype>

namespace userdb::formats {
namespace {

std::optional<std::string_view> KnownName(std::string_view field, const ColumnNames& names) {
  for (const auto list : {names.required, names.optional}) {
    const auto found = std::find_if(
        list.begin(), list.end(), [&](std::string_view name) { return SameColumnName(field, name, names.ignoreCase); });
    if (found != list.end()) return *found;
  }
  return std::nullopt;
}

}  // namespace

bool SameColumnName(std::string_view field, std::string_view name, bool ignoreCase) {
  if (!ignoreCase) return field == name;
  return std::equal(field.begin(), field.end(), name.begin(), name.end(),
                    [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

CsvColumns::CsvColumns(const CsvRecord& header, const ColumnNames& names, std::vector<FileProblem>& problems)
    : width_(header.fields.size()) {
  auto problem = [&](std::string message) { problems.push_back(ProblemAt(header.line, "", std::move(message))); };
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    const std::string& name = header.fields[i];
    const std::optional<std::string_view> known = KnownName(name, names);
    if (!known) {
      problem("unknown column \"" + name + "\"");
    } else if (!index_.emplace(std::string(*known), i).second) {
      problem("column \"" + name + "\" appears twice");
    }
  }
  for (const std::string_view name : names.required) {
    if (!Has(name)) problem("missing column \"" + std::string(name) + "\"");
  }
}

std::string_view CsvColumns::Field(const CsvRecord& row, std::string_view name) const {
  const auto found = index_.find(name);
  if (found == index_.end() || found->second >= row.fields.size()) return {};
  return row.fields[found->second];
}

std::optional<FileProblem> CsvColumns::CheckWidth(const CsvRecord& row) const {
  if (row.fields.size() == width_) return std::nullopt;
  return ProblemAt(row.line, "",
                   std::to_string(row.fields.size()) + " fields, but the header has " + std::to_string(width_));
}

}  // namespace userdb::formats
