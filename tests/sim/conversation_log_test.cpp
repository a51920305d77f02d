#include "sim/conversation_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace userdb::sim {
namespace {

TEST(ConversationLogTest, BytesInHexSixteenALineWithTimeFromStart) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("userdb-log-test-" + std::to_string(getpid()));
  const Instant start = Instant{} + std::chrono::seconds(100);
  {
    ConversationLog log(path.string(), start);
    ASSERT_TRUE(log.IsOpen());
    log.Event(start + std::chrono::microseconds(1500), "port opened");
    std::vector<std::uint8_t> bytes(18);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(0xF0 + i);
    log.Bytes(start + std::chrono::seconds(2), "device", bytes);
  }
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  std::filesystem::remove(path);
  EXPECT_EQ(text.str(),
            "     0.001500 -- port opened\n"
            "     2.000000 device: F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF\n"
            "     2.000000 device: 00 01\n");
}

TEST(ConversationLogTest, NoPathLogsNothing) {
  ConversationLog log("", Instant{});
  EXPECT_FALSE(log.IsOpen());
}

}  // namespace
}  // namespace userdb::sim
