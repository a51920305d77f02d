#include "menus/shortened_lines.h"

namespace userdb::menus {

std::vector<std::string> Shortened(std::vector<std::string> lines, std::size_t limit) {
  if (lines.size() <= limit) return lines;
  const std::size_t more = lines.size() - limit;
  lines.resize(limit);
  lines.push_back("and " + std::to_string(more) + " more");
  return lines;
}

}  // namespace userdb::menus
