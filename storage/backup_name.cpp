#include "storage/backup_name.h"

#include <algorithm>
#include <charconv>
#include <tuple>

#include "base/local_time.h"

namespace userdb::storage {
namespace {

constexpr std::string_view kPrefix = "userdb-";
constexpr std::string_view kSerialMark = "-SN";
constexpr std::string_view kExtension = ".bin";
constexpr std::string_view kBeforeWriteMark = "-before-write";
constexpr std::size_t kDateDigits = 8;
constexpr std::size_t kTimeDigits = 6;

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
  Number value{};
  if (!AllDigits(text)) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Takes "-<digits>" off the end of rest, if it ends so.
std::optional<std::string_view> TakeTrailingNumber(std::string_view& rest, std::string_view mark) {
  const std::size_t at = rest.rfind(mark);
  if (at == std::string_view::npos || !AllDigits(rest.substr(at + mark.size()))) return std::nullopt;
  const std::string_view digits = rest.substr(at + mark.size());
  rest = rest.substr(0, at);
  return digits;
}

}  // namespace

std::string BackupName::FileName() const {
  std::string name = std::string(kPrefix) + date + "-" + time;
  if (serialNumber) name += std::string(kSerialMark) + std::to_string(*serialNumber);
  if (sequence > 1) name += "-" + std::to_string(sequence);
  if (beforeWrite) name += kBeforeWriteMark;
  return name + std::string(kExtension);
}

std::string BackupName::Moment() const {
  return date.substr(0, 4) + "-" + date.substr(4, 2) + "-" + date.substr(6, 2) + " " + time.substr(0, 2) + ":" +
         time.substr(2, 2) + ":" + time.substr(4, 2);
}

std::strong_ordering BackupName::operator<=>(const BackupName& other) const {
  return std::tie(date, time, sequence, serialNumber, beforeWrite) <=>
         std::tie(other.date, other.time, other.sequence, other.serialNumber, other.beforeWrite);
}

BackupName NameFor(std::time_t moment, std::optional<std::uint32_t> serialNumber) {
  return BackupName{LocalTimeText(moment, "%Y%m%d"), LocalTimeText(moment, "%H%M%S"), serialNumber, 1, false};
}

std::optional<BackupName> ParseBackupName(std::string_view fileName) {
  if (!fileName.starts_with(kPrefix) || !fileName.ends_with(kExtension)) return std::nullopt;
  std::string_view rest = fileName.substr(kPrefix.size(), fileName.size() - kPrefix.size() - kExtension.size());
  BackupName name;
  if (rest.ends_with(kBeforeWriteMark)) {
    name.beforeWrite = true;
    rest.remove_suffix(kBeforeWriteMark.size());
  }
  // "-n" and "-SNserial" may end the stem, in that order from the end.
  std::string_view stem = rest;
  if (const auto sequence = TakeTrailingNumber(stem, "-"); sequence && stem.size() >= kDateDigits + 1 + kTimeDigits) {
    const auto value = ParseNumber<unsigned>(*sequence);
    if (!value || *value < 2) return std::nullopt;
    name.sequence = *value;
    rest = stem;
  }
  stem = rest;
  if (const auto serial = TakeTrailingNumber(stem, kSerialMark)) {
    name.serialNumber = ParseNumber<std::uint32_t>(*serial);
    if (!name.serialNumber) return std::nullopt;
    rest = stem;
  }
  if (rest.size() != kDateDigits + 1 + kTimeDigits || rest[kDateDigits] != '-') return std::nullopt;
  name.date = std::string(rest.substr(0, kDateDigits));
  name.time = std::string(rest.substr(kDateDigits + 1));
  if (!AllDigits(name.date) || !AllDigits(name.time)) return std::nullopt;
  return name;
}

}  // namespace userdb::storage
