// The OpenStreetMap XML reader on any text.

#include <cstdint>
#include <string_view>

#include "formats/osm_xml.h"
#include "fuzz/osm_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace userdb;
  userdb::fuzz::CheckOsmCameras(formats::ReadOsmXml({reinterpret_cast<const char*>(data), size}, {}));
  return 0;
}
