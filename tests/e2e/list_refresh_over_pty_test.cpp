// Next month's camera list replaces last month's on the device: the driver's own points stay
// byte for byte, a camera the driver edited becomes the driver's own, and the cameras the new
// list dropped are gone.

#include <algorithm>
#include <fstream>
#include <map>
#include <numeric>

#include "tests/support/sim_on_com_port.h"

namespace userdb::test {
namespace {

class ListRefreshOverPty : public SimOnComPort {
 protected:
  // Cameras on a line east of the sample points' area, one per index, speed telling the month.
  void WriteList(const std::string& name, const std::vector<int>& cameras, int speed) const {
    std::ofstream list(InFolder(name));
    list << "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\r\n";
    for (const int camera : cameras) list << 13.40 + camera * 0.001 << ",52.60,1," << speed << ",1,90\r\n";
  }

  std::map<std::string, std::vector<std::uint8_t>> RecordsByNote(const std::vector<std::uint8_t>& image) const {
    std::map<std::string, std::vector<std::uint8_t>> records;
    for (std::size_t k = 0; k < 256; ++k) {
      const auto record = image.begin() + static_cast<std::ptrdiff_t>(k * 16);
      if (std::all_of(record, record + 8, [](std::uint8_t b) { return b == 0xFF; })) continue;
      const auto note = image.begin() + static_cast<std::ptrdiff_t>(4096 + k * 128);
      std::string text(note, std::find_if(note, note + 128, [](std::uint8_t b) { return b == 0 || b == 0xFF; }));
      std::vector<std::uint8_t> bytes(record, record + 16);
      bytes.insert(bytes.end(), note, note + 128);
      records[text + "#" + std::to_string(k)] = bytes;
    }
    return records;
  }

  // The filled records whose latitude and speed bytes (4 to 9) are those of the example.
  static std::size_t CountLike(const std::vector<std::uint8_t>& image, std::size_t example,
                               const std::vector<std::uint8_t>& exampleImage) {
    std::size_t count = 0;
    for (std::size_t k = 0; k < 256; ++k) {
      count += std::equal(image.begin() + static_cast<std::ptrdiff_t>(k * 16 + 4),
                          image.begin() + static_cast<std::ptrdiff_t>(k * 16 + 10),
                          exampleImage.begin() + static_cast<std::ptrdiff_t>(example * 16 + 4))
                   ? 1
                   : 0;
    }
    return count;
  }
};

TEST_F(ListRefreshOverPty, DecembersListReplacesNovembersAndLeavesTheDriversOwnPointsWhole) {
  StartSim(31, {"--save", InFolder("device.bin")});
  Finished first = Userdb({"--port", "COM31", "download", "--output", InFolder("own.bin")});
  ASSERT_EQ(first.status, 0) << first.errors;
  const std::vector<std::uint8_t> own = FileBytes("own.bin");

  std::vector<int> november(100);
  std::iota(november.begin(), november.end(), 0);  // cameras 0 to 99
  WriteList("cams-2026-11.csv", november, 50);
  Finished nov = Userdb({"--port", "COM31", "merge", "device", InFolder("cams-2026-11.csv"), "--source", "cams",
                         "--near", "52.52,13.40", "--radius", "50", "--fit", "nearest", "--to-device", "--yes"});
  ASSERT_EQ(nov.status, 0) << nov.errors;
  EXPECT_NE(nov.output.find("32 kept, 100 added"), std::string::npos) << nov.output;

  Finished listed = Userdb({"--port", "COM31", "sources"});
  ASSERT_EQ(listed.status, 0) << listed.errors;
  EXPECT_NE(listed.output.find("100  cams"), std::string::npos) << listed.output;
  EXPECT_NE(listed.output.find("32  (your own, or edited since)"), std::string::npos) << listed.output;

  // The driver moves one of November's cameras (the first after the 32 points of the driver's
  // own): from now on it is the driver's.
  const std::vector<std::uint8_t> afterNovember = FileBytes("device.bin");
  constexpr std::size_t kNovemberCamera = 32;
  ASSERT_EQ(CountLike(afterNovember, kNovemberCamera, afterNovember), 100u);
  std::vector<std::uint8_t> edited = afterNovember;
  edited[kNovemberCamera * 16] ^= 0x01;  // the longitude's lowest byte
  std::ofstream(InFolder("edited.bin"), std::ios::binary)
      .write(reinterpret_cast<const char*>(edited.data()), static_cast<std::streamsize>(edited.size()));
  ASSERT_EQ(Userdb({"--port", "COM31", "upload", InFolder("edited.bin"), "--yes"}).status, 0);

  // December drops cameras 0 to 39 and brings 100 to 139.
  std::vector<int> december(100);
  std::iota(december.begin(), december.end(), 40);
  WriteList("cams-2026-12.csv", december, 60);
  Finished dec = Userdb({"--port", "COM31", "merge", "device", InFolder("cams-2026-12.csv"), "--replace", "cams",
                         "--near", "52.52,13.40", "--radius", "50", "--fit", "nearest", "--to-device", "--yes"});
  ASSERT_EQ(dec.status, 0) << dec.errors;
  EXPECT_NE(dec.output.find("33 kept, 99 replaced by the new list, 100 added"), std::string::npos) << dec.output;

  const std::vector<std::uint8_t> after = FileBytes("device.bin");
  EXPECT_EQ(CountLike(after, kNovemberCamera, afterNovember), 1u);  // only the camera the driver moved
  // December's fill the records November's left, from the first after the driver's 33.
  EXPECT_EQ(CountLike(after, 33, after), 100u);
  const auto before = RecordsByNote(own);
  const auto now = RecordsByNote(after);
  for (const auto& [note, bytes] : before) {
    const auto kept = std::find_if(now.begin(), now.end(), [&](const auto& entry) { return entry.second == bytes; });
    EXPECT_NE(kept, now.end()) << "the driver's point " << note << " is not on the device byte for byte";
  }
}

}  // namespace
}  // namespace userdb::test
