#pragma once
// The command line's commands against the in-process simulator, with files in a scratch folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <list>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "cli/cli_commands.h"
#include "sim/device_simulator.h"
#include "sim/in_process_port.h"
#include "sim/virtual_clock.h"

namespace userdb::cli {

class CliFixture : public ::testing::Test {
 protected:
  CliFixture() : port(clock), folder(ScratchFolder()) {
    port.Attach(5, device);
    std::filesystem::create_directories(folder);
  }
  ~CliFixture() override { std::filesystem::remove_all(folder); }

  CommandContext Context(int portNumber = 5, bool answer = true) { return ContextOn(port, portNumber, answer); }

  // Each context on a state of its own, as each run of the command line has.
  CommandContext ContextOn(SerialPort& line, int portNumber = 5, bool answer = true) {
    return {.state = states.emplace_back(line),
            .portNumber = portNumber,
            .output = output,
            .errors = errors,
            .confirm = [answer](std::string_view) { return answer; }};
  }

  std::vector<std::uint8_t> DeviceImage() const { return {device.Memory().image.begin(), device.Memory().image.end()}; }

  static std::filesystem::path ScratchFolder() {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return std::filesystem::temp_directory_path() / ("userdb-cli-" + std::to_string(::getpid()) + "-" + test);
  }

  static std::string FileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  static std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
    const std::string text = FileText(path);
    return {text.begin(), text.end()};
  }

  static void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }

  static std::string DataFile(const std::string& name) { return std::string(USERDB_TEST_DATA) + "/" + name; }

  static UploadRequest Upload(const std::filesystem::path& file, formats::FileFormat format, bool verify = true) {
    UploadRequest request;
    request.file = file;
    request.load.format = format;
    request.steps.verify = verify;
    return request;
  }

  sim::VirtualClock clock;
  sim::DeviceSimulator device;
  sim::InProcessPort port;
  std::ostringstream output;
  std::ostringstream errors;
  std::filesystem::path folder;
  std::list<ProgramState> states;
};

}  // namespace userdb::cli
