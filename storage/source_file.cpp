#include "storage/source_file.h"

#include <charconv>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "storage/atomic_file.h"

namespace userdb::storage {
namespace {

constexpr std::string_view kFirstLine = "userdb point sources 1";
// Far beyond what merges of 256 points each leave; a larger file is not ours.
constexpr std::uintmax_t kLargestFile = std::uintmax_t{16} * 1024 * 1024;
constexpr std::size_t kLongestName = 200;

std::optional<Fingerprint> Hex(std::string_view text) {
  Fingerprint value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.size() != 16 || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string HexOf(Fingerprint fingerprint) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int digit = 15; digit >= 0; --digit, fingerprint >>= 4)
    text[static_cast<std::size_t>(digit)] = kDigits[fingerprint & 0xf];
  return text;
}

// A name on one line of its own: what would break the line becomes a blank.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return text.substr(0, kLongestName);
}

// "FINGERPRINT\tDATE\tSOURCE"; nothing for a line of another shape.
std::optional<std::pair<Fingerprint, PointOrigin>> ParseLine(std::string_view line) {
  const std::size_t first = line.find('\t');
  const std::size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const std::optional<Fingerprint> fingerprint = Hex(line.substr(0, first));
  const std::string_view date = line.substr(first + 1, second - first - 1);
  const std::string_view source = line.substr(second + 1);
  if (!fingerprint || date.size() != 10 || source.empty() || source.size() > kLongestName) return std::nullopt;
  return std::pair{*fingerprint, PointOrigin{std::string(source), std::string(date)}};
}

}  // namespace

SourceFile::SourceFile(std::optional<std::filesystem::path> dataFolder) {
  if (dataFolder) file_ = *dataFolder / kSourcesFileName;
}

std::map<Fingerprint, PointOrigin> SourceFile::Read() const {
  std::map<Fingerprint, PointOrigin> known;
  std::error_code error;
  if (!file_ || std::filesystem::file_size(*file_, error) > kLargestFile || error) return known;
  std::ifstream stream(*file_, std::ios::binary);
  std::string line;
  if (!std::getline(stream, line) || line != kFirstLine) return known;
  while (std::getline(stream, line)) {
    if (auto entry = ParseLine(line)) known[entry->first] = std::move(entry->second);
  }
  return known;
}

std::optional<PointOrigin> SourceFile::OriginOf(Fingerprint fingerprint) const {
  if (!known_) known_ = Read();
  const auto found = known_->find(fingerprint);
  if (found == known_->end()) return std::nullopt;
  return found->second;
}

SourcesResult SourceFile::Record(const std::vector<Fingerprint>& fingerprints, const PointOrigin& origin) {
  if (!file_) {
    return {SourcesOutcome::NoFolder,
            "Where the points came from is not recorded: no folder for it (set USERDB_DATA_DIR)"};
  }
  if (!known_) known_ = Read();
  const PointOrigin kept{OneLine(origin.source), OneLine(origin.date)};
  for (const Fingerprint fingerprint : fingerprints) (*known_)[fingerprint] = kept;
  std::string text = std::string(kFirstLine) + "\n";
  for (const auto& [fingerprint, known] : *known_)
    text += HexOf(fingerprint) + "\t" + known.date + "\t" + known.source + "\n";
  std::error_code error;
  std::filesystem::create_directories(file_->parent_path(), error);
  const FileWriteResult written = WriteFileAtomically(*file_, std::vector<std::uint8_t>(text.begin(), text.end()));
  if (!written) return {SourcesOutcome::NotRecorded, "Where the points came from is not recorded: " + written.message};
  return {SourcesOutcome::Recorded, {}};
}

}  // namespace userdb::storage
