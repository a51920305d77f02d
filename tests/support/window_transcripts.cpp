// With USERDB_WINDOW_TRANSCRIPTS naming a folder, every test writes what the program asked of
// its headless windows to <folder>/<Suite.Test>.txt: the transcripts that hold a change of
// shape to the same window operations in the same order (scripts/window-transcripts.sh).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/headless/headless_window.h"

namespace userdb::test {
namespace {

class TranscriptListener final : public ::testing::EmptyTestEventListener {
 public:
  explicit TranscriptListener(std::filesystem::path folder) : folder_(std::move(folder)) {}

  void OnTestStart(const ::testing::TestInfo& test) override {
    std::string name = std::string(test.test_suite_name()) + "." + test.name();
    std::replace(name.begin(), name.end(), '/', '_');
    file_.open(folder_ / (name + ".txt"), std::ios::trunc);
    HeadlessWindow::SetTranscript(&file_);
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    HeadlessWindow::SetTranscript(nullptr);
    file_.close();
  }

 private:
  std::filesystem::path folder_;
  std::ofstream file_;
};

[[maybe_unused]] const bool kListening = [] {
  const char* folder = std::getenv("USERDB_WINDOW_TRANSCRIPTS");
  if (folder == nullptr || *folder == '\0') return false;
  std::filesystem::create_directories(folder);
  ::testing::UnitTest::GetInstance()->listeners().Append(new TranscriptListener(folder));
  return true;
}();

}  // namespace
}  // namespace userdb::test
