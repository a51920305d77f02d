// An OpenStreetMap extract read for its cameras, as `userdb merge` reads one: the relations in one
// pass, the nodes in another. Prints the median time over several runs, the cameras found and
// the peak memory of the process.
//   osm_benchmark EXTRACT.osm.pbf [RUNS]

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "formats/file_problem.h"
#include "formats/osm_pbf.h"

namespace {

using Clock = std::chrono::steady_clock;

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: osm_benchmark EXTRACT.osm.pbf [RUNS]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  std::vector<double> times;
  std::size_t cameras = 0;
  for (int run = 0; run < runs; ++run) {
    const auto start = Clock::now();
    const userdb::formats::ListRead read = userdb::formats::ReadOsmPbfFile(argv[1], {});
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    if (!read.Ok()) {
      std::fprintf(stderr, "%s\n", userdb::formats::DescribeProblem(argv[1], read.problems.front()).c_str());
      return 1;
    }
    cameras = read.points.size();
  }
  std::sort(times.begin(), times.end());
  std::printf("%-28s %8.0f ms  %zu cameras, peak %.1f MB\n", "read for cameras (userdb)", times[times.size() / 2],
              cameras, PeakMegabytes());
  return 0;
}
