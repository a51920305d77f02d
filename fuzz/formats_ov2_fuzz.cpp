// The OV2 reader on any bytes, under the sanitizers: it reads or reports a problem, never reads
// past what it was given, and what it reads it can write again and read back the same.

#include <cstdint>
#include <string_view>

#include "formats/decimal_degrees.h"
#include "formats/ov2_format.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace userdb::formats;
  const ListRead read = ReadOv2(std::string_view(reinterpret_cast<const char*>(data), size), {});
  for (const ListPoint& point : read.points) {
    userdb::fuzz::Require(point.note.size() <= 127, "a note holds at most 127 bytes");
    userdb::fuzz::Require(OnAMap(point.point), "a point read lies on the globe");
  }
  if (!read.Ok()) return 0;
  std::vector<Change> changes;
  const ListRead again = ReadOv2(WriteOv2(read.points, changes), {});
  userdb::fuzz::Require(again.Ok() && again.points.size() == read.points.size(), "what is written reads back");
  return 0;
}
