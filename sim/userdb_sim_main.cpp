// userdb-sim: the speed-camera device on a pseudo-terminal, for trying the program without one.

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "sim/device_simulator.h"
#include "sim/image_file.h"
#include "sim/pty_host.h"
#include "sim/sim_options.h"

int main(int argc, char** argv) {
  using namespace userdb::sim;
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  const SimOptionsResult parsed = ParseSimOptions(arguments);
  if (!parsed) {
    std::cerr << "userdb-sim: " << parsed.message << "\nTry userdb-sim --help\n";
    return 2;
  }
  const SimOptions& options = parsed.options;
  if (options.help) {
    std::cout << SimUsage();
    return 0;
  }
  if (options.version) {
    std::cout << "userdb-sim " << USERDB_VERSION << '\n';
    return 0;
  }
  DeviceMemory memory = SampleMemory();
  if (options.imagePath) {
    const ImageFileResult loaded = LoadFlashImage(*options.imagePath);
    if (!loaded) {
      std::cerr << "userdb-sim: " << loaded.message << "\n";
      return 1;
    }
    memory.image = loaded.image;
  }
  memory.unit = options.unit;
  DeviceSimulator device(memory, options.timing, options.faults, options.lists);
  PtyHost host(device, options);
  std::string error;
  if (!host.Run(error)) {
    std::cerr << "userdb-sim: " << error << "\n";
    return 1;
  }
  return 0;
}
