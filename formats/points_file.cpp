#include "formats/points_file.h"

namespace userdb::formats {

std::size_t PointCount(const UserDatabase& database) {
  std::size_t count = 0;
  for (std::size_t record = 0; record < kRecordCount; ++record) count += database.Point(record).IsEmpty() ? 0 : 1;
  return count;
}

}  // namespace userdb::formats
