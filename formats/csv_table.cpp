#include "formats/csv_table.h"

namespace userdb::formats {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class CsvReader {
 public:
  explicit CsvReader(std::string_view text) : text_(text) {
    if (text_.starts_with(kByteOrderMark)) position_ = kByteOrderMark.size();
  }

  CsvTable Read() {
    while (!AtEnd() && table_.problems.empty()) ReadRecord();
    return std::move(table_);
  }

 private:
  bool AtEnd() const { return position_ >= text_.size(); }
  char Peek() const { return text_[position_]; }

  // Consumes a line break if one starts here.
  bool TakeLineBreak() {
    if (text_.substr(position_).starts_with("\r\n")) {
      position_ += 2;
    } else if (!AtEnd() && Peek() == '\n') {
      ++position_;
    } else {
      return false;
    }
    ++line_;
    return true;
  }

  void ReadRecord() {
    CsvRecord record{.line = line_, .fields = {}};
    if (TakeLineBreak()) return;  // an empty line
    while (true) {
      std::string field;
      if (!ReadField(field)) return;
      record.fields.push_back(std::move(field));
      if (!AtEnd() && Peek() == ',') {
        ++position_;
        continue;
      }
      break;
    }
    table_.records.push_back(std::move(record));
    TakeLineBreak();
  }

  bool ReadField(std::string& field) {
    if (!AtEnd() && Peek() == '"') return ReadQuotedField(field);
    while (!AtEnd() && Peek() != ',' && Peek() != '\n' && !text_.substr(position_).starts_with("\r\n")) {
      if (Peek() == '"')
        return Fail(line_, "a quote inside an unquoted field: quote the whole field and double the quote");
      field += text_[position_++];
    }
    return true;
  }

  bool ReadQuotedField(std::string& field) {
    const int startLine = line_;
    ++position_;
    while (true) {
      if (AtEnd()) return Fail(startLine, "the quoted field that starts on this line is never closed");
      if (Peek() == '"') {
        ++position_;
        if (AtEnd() || Peek() != '"') break;
      }
      if (Peek() == '\n') ++line_;
      field += text_[position_++];
    }
    if (AtEnd() || Peek() == ',' || Peek() == '\n' || text_.substr(position_).starts_with("\r\n")) return true;
    return Fail(line_, "text after the closing quote of a field");
  }

  bool Fail(int line, std::string message) {
    table_.problems.push_back(ProblemAt(line, "", std::move(message)));
    return false;
  }

  std::string_view text_;
  std::size_t position_ = 0;
  int line_ = 1;
  CsvTable table_;
};

bool NeedsQuotes(std::string_view field) {
  if (field.find_first_of(",\"\r\n") != std::string_view::npos) return true;
  return !field.empty() && (field.front() == ' ' || field.back() == ' ');  // spreadsheets trim them
}

}  // namespace

CsvTable ParseCsv(std::string_view text) { return CsvReader(text).Read(); }

std::string CsvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    if (!NeedsQuotes(fields[i])) {
      line += fields[i];
      continue;
    }
    line += '"';
    for (const char c : fields[i]) line += c == '"' ? std::string("\"\"") : std::string(1, c);
    line += '"';
  }
  return line + "\r\n";
}

}  // namespace userdb::formats
