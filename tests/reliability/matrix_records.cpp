#include "tests/reliability/matrix_records.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <utility>
#include <vector>

namespace userdb::test {
namespace {

using Fields = std::vector<std::string>;

constexpr char kSeparator = '\t';
constexpr char kEscape = '\\';
// A character that would end a field or a record, and the letter that stands for it after kEscape.
constexpr std::pair<char, char> kEscapes[] = {{kEscape, kEscape}, {kSeparator, 't'}, {'\n', 'n'}};
constexpr std::size_t kRowFields = 11;

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    const auto* escape =
        std::find_if(std::begin(kEscapes), std::end(kEscapes), [c](const auto& known) { return known.first == c; });
    if (escape == std::end(kEscapes)) {
      escaped += c;
    } else {
      escaped += {kEscape, escape->second};
    }
  }
  return escaped;
}

std::optional<std::string> Unescaped(std::string_view field) {
  std::string text;
  for (std::size_t at = 0; at < field.size(); ++at) {
    if (field[at] != kEscape) {
      text += field[at];
      continue;
    }
    if (++at == field.size()) return std::nullopt;
    const auto* known = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                     [&](const auto& escape) { return escape.second == field[at]; });
    if (known == std::end(kEscapes)) return std::nullopt;
    text += known->first;
  }
  return text;
}

std::string Record(const Fields& fields) {
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : std::string(1, kSeparator)) + Escaped(field);
  return line + "\n";
}

std::optional<Fields> FieldsOf(std::string_view line) {
  Fields fields;
  for (std::size_t start = 0;;) {
    const std::size_t end = std::min(line.find(kSeparator, start), line.size());
    const std::optional<std::string> field = Unescaped(line.substr(start, end - start));
    if (!field) return std::nullopt;
    fields.push_back(*field);
    if (end == line.size()) return fields;
    start = end + 1;
  }
}

std::optional<MatrixSection> SectionOf(const std::string& text) {
  int number = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (number < 0 || number > static_cast<int>(MatrixSection::Files)) return std::nullopt;
  return static_cast<MatrixSection>(number);
}

// Whether fields were a row or a note, added to matrix.
bool Take(const Fields& fields, FaultMatrix& matrix) {
  if (fields[0] == "row" && fields.size() == kRowFields) {
    const std::optional<MatrixSection> section = SectionOf(fields[1]);
    if (!section) return false;
    matrix.Add(
        {*section, fields[2], fields[3], fields[4], fields[5], fields[6], fields[7], fields[8], fields[9], fields[10]});
    return true;
  }
  if (fields[0] == "note" && fields.size() >= 3) {
    matrix.AddNote({fields[1], Fields(fields.begin() + 3, fields.end()), fields[2]});
    return true;
  }
  return false;
}

}  // namespace

std::string WriteRecords(const FaultMatrix& matrix) {
  std::string text;
  for (const MatrixRow& row : matrix.Rows()) {
    text += Record({"row", std::to_string(static_cast<int>(row.section)), row.fault, row.command, row.userSees,
                    row.time, row.bound, row.port, row.device, row.memory, row.file});
  }
  for (const MatrixNote& note : matrix.Notes()) {
    Fields fields{"note", note.title, note.lead};
    fields.insert(fields.end(), note.lines.begin(), note.lines.end());
    text += Record(fields);
  }
  return text;
}

std::optional<FaultMatrix> ReadRecords(std::string_view text) {
  FaultMatrix matrix;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return std::nullopt;  // cut short
    const std::optional<Fields> fields = FieldsOf(text.substr(0, end));
    if (!fields || !Take(*fields, matrix)) return std::nullopt;
    text.remove_prefix(end + 1);
  }
  return matrix;
}

}  // namespace userdb::test
