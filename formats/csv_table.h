#pragma once
// Comma-separated values as RFC 4180 has them: fields that hold a comma, a quote or a line
// break are quoted, quotes inside doubled. Readers take LF as well as CRLF and skip a leading
// UTF-8 byte-order mark and empty lines, as spreadsheets write them.

#include <string>
#include <string_view>
#include <vector>

#include "formats/file_problem.h"

namespace userdb::formats {

struct CsvRecord {
  int line = 0;  // where the record starts; a quoted field may span lines
  std::vector<std::string> fields;
};

struct CsvTable {
  std::vector<CsvRecord> records;
  std::vector<FileProblem> problems;  // a broken quote ends the reading there
};

CsvTable ParseCsv(std::string_view text);

// One record, quoted where needed, ended by CRLF.
std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace userdb::formats
