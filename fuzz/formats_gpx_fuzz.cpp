// The GPX reader on any text. What it reads, written back and read again, is stable: a second
// round trip gives the same file as the first.

#include <cstdint>
#include <string>
#include <string_view>

#include "formats/gpx_format.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace userdb;
  const formats::ReadResult read = formats::ReadGpx({reinterpret_cast<const char*>(data), size});
  if (!read.Ok()) return 0;
  const std::string written = formats::WriteGpx(read.points.database);
  const formats::ReadResult again = formats::ReadGpx(written);
  fuzz::Require(again.Ok(), "what the GPX writer writes, the reader reads");
  fuzz::Require(formats::WriteGpx(again.points.database) == written, "a GPX round trip is stable");
  return 0;
}
