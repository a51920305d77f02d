#include "sim/sim_options.h"

#include <gtest/gtest.h>

namespace userdb::sim {
namespace {

std::optional<SimOptions> Parse(std::vector<std::string_view> arguments, std::string* errorOut = nullptr) {
  const SimOptionsResult parsed = ParseSimOptions(arguments);
  if (errorOut != nullptr) *errorOut = parsed.message;
  return parsed ? std::optional(parsed.options) : std::nullopt;
}

TEST(SimOptionsTest, NoArgumentsGiveTheSampleDeviceUnpaced) {
  const std::optional<SimOptions> options = Parse({});
  ASSERT_TRUE(options.has_value());
  EXPECT_FALSE(options->help);
  EXPECT_FALSE(options->version);
  EXPECT_FALSE(options->comNumber.has_value());
  EXPECT_FALSE(options->imagePath.has_value());
  EXPECT_EQ(options->unit, kUnitKilometer);
  EXPECT_EQ(options->timing.byteTime, Duration::zero());
}

TEST(SimOptionsTest, EveryOptionIsTaken) {
  const std::optional<SimOptions> options =
      Parse({"--image", "in.img", "--save", "out.img", "--com", "256", "--print-path", "--paced", "--erase-delay",
             "1500", "--log", "line.log", "--unit", "mile", "--fault", "silent", "--fault", "stop-records=3"});
  ASSERT_TRUE(options.has_value());
  EXPECT_EQ(options->imagePath, "in.img");
  EXPECT_EQ(options->savePath, "out.img");
  EXPECT_EQ(options->comNumber, 256);
  EXPECT_TRUE(options->printPath);
  EXPECT_EQ(options->timing.byteTime, kPacedByteTime);
  EXPECT_EQ(options->timing.eraseDelay, std::chrono::milliseconds(1500));
  EXPECT_EQ(options->logPath, "line.log");
  EXPECT_EQ(options->unit, kUnitMile);
  EXPECT_TRUE(options->faults.silent);
  EXPECT_EQ(options->faults.stopAfterRecords, 3u);
}

TEST(SimOptionsTest, TheDeviceSendsAllEntriesUnlessToldToSendOnlyItsPoints) {
  EXPECT_EQ(Parse({})->lists, ListLength::All);
  EXPECT_EQ(Parse({"--send", "filled"})->lists, ListLength::Filled);
  EXPECT_EQ(Parse({"--send", "filled", "--send", "all"})->lists, ListLength::All);
  EXPECT_FALSE(Parse({"--send", "some"}).has_value());
}

TEST(SimOptionsTest, BadValuesAreRefusedWithAReason) {
  for (const std::vector<std::string_view>& arguments :
       std::vector<std::vector<std::string_view>>{{"--com", "0"},
                                                  {"--com", "257"},
                                                  {"--com", "x"},
                                                  {"--unit", "knots"},
                                                  {"--erase-delay", "-5"},
                                                  {"--fault", "nonsense"},
                                                  {"--image"},
                                                  {"--bogus", "1"},
                                                  {"stray"}}) {
    std::string error;
    EXPECT_FALSE(Parse(arguments, &error).has_value()) << arguments[0];
    EXPECT_FALSE(error.empty()) << arguments[0];
  }
}

TEST(SimOptionsTest, EachRefusalSaysWhatWasWrong) {
  const auto refusal = [](std::vector<std::string_view> arguments) {
    const SimOptionsResult parsed = ParseSimOptions(arguments);
    return std::pair(parsed.outcome, parsed.message);
  };
  EXPECT_EQ(refusal({"--image"}), std::pair(OptionsOutcome::MissingValue, std::string("--image needs a value")));
  EXPECT_EQ(refusal({"stray"}), std::pair(OptionsOutcome::Unexpected, std::string("unexpected stray")));
  EXPECT_EQ(refusal({"--bogus", "1"}), std::pair(OptionsOutcome::UnknownOption, std::string("unknown option --bogus")));
  EXPECT_EQ(refusal({"--unit", "knots"}), std::pair(OptionsOutcome::BadValue, std::string("--unit takes km or mile")));
  EXPECT_EQ(refusal({"--paced", "--fault", "silent=1", "--com", "0"}),
            std::pair(OptionsOutcome::BadValue, std::string("fault silent: takes no argument")));
}

TEST(SimOptionsTest, HelpIsAskedForAndDocumentsTheOptions) {
  const std::optional<SimOptions> options = Parse({"--help"});
  ASSERT_TRUE(options.has_value());
  EXPECT_TRUE(options->help);
  EXPECT_TRUE(Parse({"--version"})->version);
  for (const char* name : {"--version", "--image", "--save", "--com", "--print-path", "--paced", "--erase-delay",
                           "--log", "--fault", "--unit", "--send", "hangup", "lull"}) {
    EXPECT_NE(SimUsage().find(name), std::string::npos) << name;
  }
}

}  // namespace
}  // namespace userdb::sim
