// The speed-camera list reader on any text, under the sanitizers: it reads or reports a
// problem, and touches no memory it does not own.

#include <cstdint>
#include <string_view>

#include "formats/speed_camera_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  userdb::formats::IsSpeedCameraList(text);
  userdb::formats::ReadSpeedCameraCsv(text);
  return 0;
}
