#include "sim/sim_options.h"

#include <charconv>
#include <chrono>

namespace userdb::sim {
namespace {

constexpr int kFirstCom = 1;
constexpr int kLastCom = 256;

std::optional<long> ParseNumber(std::string_view text) {
  long value = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || failure != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

void Refuse(SimOptionsResult& parsed, OptionsOutcome outcome, std::string message) {
  parsed.outcome = outcome;
  parsed.message = std::move(message);
}

void ApplyUnit(SimOptionsResult& parsed, std::string_view value) {
  if (value == "km") {
    parsed.options.unit = kUnitKilometer;
  } else if (value == "mile") {
    parsed.options.unit = kUnitMile;
  } else {
    Refuse(parsed, OptionsOutcome::BadValue, "--unit takes km or mile");
  }
}

void ApplySend(SimOptionsResult& parsed, std::string_view value) {
  if (value == "all") {
    parsed.options.lists = ListLength::All;
  } else if (value == "filled") {
    parsed.options.lists = ListLength::Filled;
  } else {
    Refuse(parsed, OptionsOutcome::BadValue, "--send takes all or filled");
  }
}

void ApplyCom(SimOptionsResult& parsed, std::string_view value) {
  const std::optional<long> number = ParseNumber(value);
  if (!number || *number < kFirstCom || *number > kLastCom) {
    Refuse(parsed, OptionsOutcome::BadValue, "--com takes a number from 1 to 256");
    return;
  }
  parsed.options.comNumber = static_cast<int>(*number);
}

void ApplyEraseDelay(SimOptionsResult& parsed, std::string_view value) {
  const std::optional<long> millis = ParseNumber(value);
  if (!millis || *millis < 0) {
    Refuse(parsed, OptionsOutcome::BadValue, "--erase-delay takes milliseconds");
    return;
  }
  parsed.options.timing.eraseDelay = std::chrono::milliseconds(*millis);
}

void ApplyFault(SimOptionsResult& parsed, std::string_view value) {
  FaultResult added = AddFault(parsed.options.faults, value);
  if (!added) Refuse(parsed, OptionsOutcome::BadValue, std::move(added.message));
}

// Options that take a value; the value has been checked to be there.
void ApplyValued(SimOptionsResult& parsed, std::string_view name, std::string_view value) {
  SimOptions& options = parsed.options;
  if (name == "--image")
    options.imagePath = value;
  else if (name == "--save")
    options.savePath = value;
  else if (name == "--log")
    options.logPath = value;
  else if (name == "--com")
    ApplyCom(parsed, value);
  else if (name == "--erase-delay")
    ApplyEraseDelay(parsed, value);
  else if (name == "--unit")
    ApplyUnit(parsed, value);
  else if (name == "--send")
    ApplySend(parsed, value);
  else if (name == "--fault")
    ApplyFault(parsed, value);
  else
    Refuse(parsed, OptionsOutcome::UnknownOption, "unknown option " + std::string(name));
}

bool ApplyFlag(SimOptions& options, std::string_view name) {
  if (name == "--help" || name == "-h")
    options.help = true;
  else if (name == "--version")
    options.version = true;
  else if (name == "--print-path")
    options.printPath = true;
  else if (name == "--paced")
    options.timing.byteTime = kPacedByteTime;
  else
    return false;
  return true;
}

}  // namespace

SimOptionsResult ParseSimOptions(const std::vector<std::string_view>& arguments) {
  SimOptionsResult parsed;
  for (std::size_t i = 0; i < arguments.size() && parsed; ++i) {
    const std::string_view name = arguments[i];
    if (ApplyFlag(parsed.options, name)) continue;
    if (i + 1 == arguments.size()) {
      if (name.starts_with("--")) {
        Refuse(parsed, OptionsOutcome::MissingValue, std::string(name) + " needs a value");
      } else {
        Refuse(parsed, OptionsOutcome::Unexpected, "unexpected " + std::string(name));
      }
      break;
    }
    ApplyValued(parsed, name, arguments[++i]);
  }
  return parsed;
}

std::string SimUsage() {
  return "Usage: userdb-sim [OPTION]...\n"
         "Plays the speed-camera device on a pseudo-terminal until it is killed.\n"
         "The program opens the slave as its serial port; every open gets the banner.\n"
         "\n"
         "  --image FILE         start from this 36864-byte image (records, then notes)\n"
         "                       instead of the built-in sample database\n"
         "  --save FILE          write the image to FILE whenever the flash changes: an upload\n"
         "                       the device accepts, or the erase of a write that broke off\n"
         "  --com N              make the entry comN in the ports folder ($USERDB_PORTS_DIR,\n"
         "                       else ~/.config/userdb/ports) lead to the slave; removed on exit\n"
         "  --print-path         print the slave's path on a line of its own once it is ready,\n"
         "                       and again after each hang-up, which makes a new pseudo-terminal\n"
         "  --paced              send at the pace of 115200 baud 8N1 (86.8 us a byte)\n"
         "  --erase-delay MS     time to erase the flash before a good upload's verdict (500)\n"
         "  --log FILE           append a timestamped hex record of the line, both ways\n"
         "  --unit km|mile       the speed unit the device reports (km)\n"
         "  --send all|filled    send all 256 records and notes (all), or only the records up\n"
         "                       to the last point and as many notes (filled)\n"
         "  --fault NAME[=ARG]   misbehave; may be given more than once:\n" +
         std::string(FaultHelp()) + "  --help               show this text\n" +
         "  --version            show the version\n";
}

}  // namespace userdb::sim
