#include "storage/journal_file.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "base/path_text.h"
#include "storage/atomic_file.h"

namespace userdb::storage {
namespace {

constexpr std::string_view kFirstLine = "userdb unfinished write 1";
// The lines before the image name a path at most; anything longer is not a record.
constexpr std::size_t kLongestHeader = 8192;

// FNV-1a: enough to tell a damaged or cut file, which is all the digest is for.
std::string Digest(const TransferImage& image) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (const std::uint8_t byte : image) hash = (hash ^ byte) * 0x100000001b3u;
  char text[17];
  static constexpr char kHex[] = "0123456789abcdef";
  for (int digit = 15; digit >= 0; --digit, hash >>= 4) text[digit] = kHex[hash & 0xf];
  text[16] = '\0';
  return text;
}

std::string Header(const UnfinishedWrite& write) {
  std::string header = std::string(kFirstLine) + "\n";
  header += "serial " + (write.serialNumber ? std::to_string(*write.serialNumber) : std::string("-")) + "\n";
  header += "port " + write.port + "\n";
  if (write.backupBefore) header += "backup " + PathText(*write.backupBefore) + "\n";
  header += "digest " + Digest(write.image) + "\n";
  return header + "image " + std::to_string(kImageSize) + "\n";
}

std::optional<std::uint32_t> Number(std::string_view text) {
  std::uint32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

// Takes one "key value" field into the record; false for one that does not belong.
bool TakeField(std::string_view key, std::string_view value, UnfinishedWrite& write, std::string& digest) {
  if (key == "serial") {
    if (value == "-") return true;
    write.serialNumber = Number(value);
    return write.serialNumber.has_value();
  }
  if (key == "port")
    write.port = value;
  else if (key == "backup")
    write.backupBefore = PathOfText(value);
  else if (key == "digest")
    digest = value;
  else
    return false;
  return true;
}

std::optional<UnfinishedWrite> Parse(std::string_view bytes) {
  const std::size_t firstEnd = bytes.find('\n');
  if (firstEnd == std::string_view::npos || bytes.substr(0, firstEnd) != kFirstLine) return std::nullopt;
  UnfinishedWrite write;
  std::string digest;
  std::size_t at = firstEnd + 1;
  while (at < bytes.size() && at < kLongestHeader) {
    const std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view line = bytes.substr(at, end - at);
    at = end + 1;
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos) return std::nullopt;
    const std::string_view key = line.substr(0, space);
    const std::string_view value = line.substr(space + 1);
    if (key == "image") {
      if (Number(value) != kImageSize || bytes.size() - at != kImageSize) return std::nullopt;
      std::copy(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end(), write.image.begin());
      if (digest != Digest(write.image) || write.port.empty()) return std::nullopt;
      return write;
    }
    if (!TakeField(key, value, write, digest)) return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

JournalFile::JournalFile(std::optional<std::filesystem::path> dataFolder) {
  if (dataFolder) file_ = *dataFolder / kJournalFileName;
}

JournalResult JournalFile::Record(const UnfinishedWrite& write) {
  if (!file_) return {JournalOutcome::NoFolder, "The write is not recorded: no folder for it (set USERDB_DATA_DIR)"};
  std::error_code error;
  std::filesystem::create_directories(file_->parent_path(), error);
  const std::string header = Header(write);
  std::vector<std::uint8_t> bytes(header.begin(), header.end());
  bytes.insert(bytes.end(), write.image.begin(), write.image.end());
  const FileWriteResult written = WriteFileAtomically(*file_, bytes);
  if (!written) return {JournalOutcome::NotRecorded, "The write is not recorded: " + written.message};
  return {JournalOutcome::Recorded, {}};
}

std::optional<UnfinishedWrite> JournalFile::Pending() const {
  if (!file_) return std::nullopt;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(*file_, error);
  if (error || size > kLongestHeader + kImageSize) return std::nullopt;
  std::ifstream stream(*file_, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  return Parse(bytes);
}

void JournalFile::Clear() {
  if (!file_) return;
  std::error_code ignored;  // a record that stays is checked again on the next connect
  std::filesystem::remove(*file_, ignored);
}

std::vector<std::filesystem::path> JournalFile::PinnedBackups() const {
  const std::optional<UnfinishedWrite> pending = Pending();
  if (!pending || !pending->backupBefore) return {};
  return {*pending->backupBefore};
}

}  // namespace userdb::storage
