// The OpenStreetMap PBF reader on any bytes: libosmium's decoder and the cameras made of what it
// gives.

#include <cstdint>
#include <string_view>

#include "formats/osm_pbf.h"
#include "fuzz/osm_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace userdb;
  userdb::fuzz::CheckOsmCameras(formats::ReadOsmPbf({reinterpret_cast<const char*>(data), size}, {}));
  return 0;
}
