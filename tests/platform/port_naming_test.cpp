// What COM n names is said in three places, the device paths the program opens, the --help texts
// and the README's table: the help comes from the table PortPath reads, and the README must agree.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/posix/ports_folder.h"

namespace userdb::posix {
namespace {

std::string Readme() {
  std::ifstream file(std::string(USERDB_TEST_DATA) + "/../../README.md");
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string Device(const FixedRange& range, int portNumber) {
  return range.prefix + std::to_string(portNumber - range.firstPort);
}

TEST(PortNamingTest, TheHelpNamesEveryRangeInLinesThatFitATerminal) {
  const std::string& help = PortNamingHelp();
  for (const FixedRange& range : FixedRanges()) {
    const std::string named = "COM" + std::to_string(range.firstPort) + "-" + std::to_string(range.lastPort) + " " +
                              Device(range, range.firstPort) + "-" + std::to_string(range.lastPort - range.firstPort);
    EXPECT_NE(help.find(named), std::string::npos) << named;
  }
  EXPECT_NE(help.find("$USERDB_PORTS_DIR (default ~/.config/userdb/ports)"), std::string::npos);
  std::istringstream lines(help);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 90U) << line;
  EXPECT_EQ(help.back(), '\n');
}

TEST(PortNamingTest, TheReadmeTableIsTheProgramsTable) {
  const std::string readme = Readme();
  ASSERT_FALSE(readme.empty());
  int next = kFirstPort;
  for (const FixedRange& range : FixedRanges()) {
    const std::string row = "| " + std::to_string(range.firstPort) + "–" + std::to_string(range.lastPort) + " | `" +
                            Device(range, range.firstPort) + "`–`" + Device(range, range.lastPort) + "`";
    EXPECT_NE(readme.find(row), std::string::npos) << row;
    next = range.lastPort + 1;
  }
  const std::string rest = "| " + std::to_string(next) + "–" + std::to_string(kLastPort) + " | nothing";
  EXPECT_NE(readme.find(rest), std::string::npos) << rest;
}

}  // namespace
}  // namespace userdb::posix
