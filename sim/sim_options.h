#pragma once
// The command line of userdb-sim.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/device_simulator.h"

namespace userdb::sim {

struct SimOptions {
  bool help = false;
  bool version = false;
  std::optional<std::filesystem::path> imagePath;
  std::optional<std::filesystem::path> savePath;
  std::optional<int> comNumber;
  bool printPath = false;
  std::optional<std::filesystem::path> logPath;
  std::uint8_t unit = kUnitKilometer;
  DeviceTiming timing;
  FaultPlan faults;
  ListLength lists = ListLength::All;
};

// The options, or nothing with the reason in error.
std::optional<SimOptions> ParseSimOptions(const std::vector<std::string_view>& arguments, std::string& error);

std::string SimUsage();

}  // namespace userdb::sim
