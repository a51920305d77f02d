#include "platform/posix/port_argument.h"

#include <algorithm>
#include <charconv>

#include "platform/posix/ports_folder.h"

namespace userdb::posix {
namespace {

constexpr std::string_view kComPrefix = "COM";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char ToUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithComPrefix(std::string_view text) {
  return text.size() >= kComPrefix.size() &&
         std::equal(kComPrefix.begin(), kComPrefix.end(), text.begin(),
                    [](char wanted, char given) { return wanted == ToUpper(given); });
}

// Digits only: from_chars alone would also take a minus sign.
std::optional<int> ParsePortNumber(std::string_view digits) {
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit)) return std::nullopt;
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc{} || number < kFirstPort || number > kLastPort) return std::nullopt;
  return number;
}

}  // namespace

std::optional<PortArgument> ParsePortArgument(std::string_view text) {
  if (text.find('/') != std::string_view::npos) return std::filesystem::path(text);
  if (StartsWithComPrefix(text)) text.remove_prefix(kComPrefix.size());
  if (const std::optional<int> number = ParsePortNumber(text)) return *number;
  return std::nullopt;
}

}  // namespace userdb::posix
