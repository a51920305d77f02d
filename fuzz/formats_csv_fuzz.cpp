// Our CSV reader on any text. A file it reads without a problem is written back and read again
// to the same database: the format is lossless.

#include <cstdint>
#include <string_view>

#include "formats/csv_format.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace userdb;
  const formats::ReadResult read = formats::ReadCsv({reinterpret_cast<const char*>(data), size});
  if (!read.Ok()) return 0;
  const formats::ReadResult again = formats::ReadCsv(formats::WriteCsv(read.points.database));
  fuzz::Require(again.Ok(), "what the CSV writer writes, the reader reads");
  fuzz::Require(again.points.database.Image() == read.points.database.Image(), "the CSV round trip is lossless");
  return 0;
}
