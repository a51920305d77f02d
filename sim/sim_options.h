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

enum class OptionsOutcome {
  Parsed,
  MissingValue,  // an option that takes a value came last
  BadValue,      // a value the option does not take, or a fault not understood
  UnknownOption,
  Unexpected,  // a last argument that is no option
};

struct SimOptionsResult {
  OptionsOutcome outcome = OptionsOutcome::Parsed;
  SimOptions options;   // when parsed
  std::string message;  // why not

  explicit operator bool() const { return outcome == OptionsOutcome::Parsed; }
};

SimOptionsResult ParseSimOptions(const std::vector<std::string_view>& arguments);

std::string SimUsage();

}  // namespace userdb::sim
