#include "tests/reliability/write_recovery.h"

#include <gtest/gtest.h>

#include "app/unfinished_write.h"

namespace userdb::test {

std::string PutRightOnNextLoad(PacedLine& line, const std::vector<std::uint8_t>& before, const TransferImage& sent) {
  line.device.Faults() = {};
  std::vector<std::string> offered;
  line.window.SetChoiceHandler([&offered](const ChoiceRequest& request) {
    offered = request.choices;
    const auto restore = std::find(request.choices.begin(), request.choices.end(), unfinished::kRestoreBefore);
    return static_cast<std::size_t>(restore - request.choices.begin());
  });
  const bool loaded = line.Run(Command::Download).succeeded;
  EXPECT_TRUE(loaded);
  EXPECT_FALSE(line.files->journal.Pending()) << "the unfinished write is still recorded";
  const std::vector<std::uint8_t> after = line.DeviceImage();
  const bool holdsUpload = std::equal(after.begin(), after.end(), sent.begin(), sent.end());
  if (!offered.empty()) {
    EXPECT_EQ(after, before) << "the backup from before was not restored";
    return "the next load offers \"" + std::string(unfinished::kWriteAgain) + "\" and \"" + unfinished::kRestoreBefore +
           "\"; one click on the second puts every byte back";
  }
  EXPECT_TRUE(after == before || holdsUpload) << "the device holds neither side, and nothing was offered";
  if (!line.window.Boxes().empty() &&
      line.window.Boxes().back().text.find("had not been confirmed") != std::string::npos) {
    return holdsUpload ? "the next load finds the upload stored after all, and says so"
                       : "the next load finds the points from before, and says so";
  }
  return "nothing to put right";
}

}  // namespace userdb::test
