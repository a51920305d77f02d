// A national camera list merged into a driver's database: read, merged with duplicates and the
// nearest fit, the left-out points written again. Prints the median of each step over several
// runs and the process's peak memory.
//   merge_benchmark [LIST_POINTS] [RUNS]

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "database/note_codec.h"
#include "formats/file_contents.h"
#include "formats/point_merge.h"

namespace {

using namespace userdb;
using Clock = std::chrono::steady_clock;

std::uint32_t Units(double degrees) { return static_cast<std::uint32_t>(degrees * 600000); }

// Points spread over a country of 9 by 8 degrees; every twentieth repeats an earlier one 10 m
// off, as lists merged from two sources do.
std::string CameraList(std::size_t count, std::mt19937& random) {
  std::uniform_real_distribution<double> longitude(6.0, 15.0);
  std::uniform_real_distribution<double> latitude(47.0, 55.0);
  struct Camera {
    double longitude, latitude;
    unsigned direction;
  };
  std::vector<Camera> cameras;
  std::string text = "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\r\n";
  char row[96];
  for (std::size_t i = 0; i < count; ++i) {
    Camera camera{longitude(random), latitude(random), static_cast<unsigned>(random() % 360)};
    if (i % 20 == 19) {
      camera = cameras[random() % cameras.size()];
      camera.latitude += 0.00009;
    }
    cameras.push_back(camera);
    std::snprintf(row, sizeof row, "%.6f,%.6f,%u,%u,1,%u\r\n", camera.longitude, camera.latitude,
                  static_cast<unsigned>(random() % 2), static_cast<unsigned>(30 + random() % 10 * 10),
                  camera.direction);
    text += row;
  }
  return text;
}

UserDatabase DriversDatabase(std::size_t points, std::mt19937& random) {
  UserDatabase database;
  std::uniform_real_distribution<double> longitude(6.0, 15.0);
  std::uniform_real_distribution<double> latitude(47.0, 55.0);
  for (std::size_t k = 0; k < points; ++k) {
    database.SetPoint(k, UserPoint{Units(longitude(random)), Units(latitude(random)), 27, kNoDirection, 1});
    WriteNote(database.Note(k), "my point " + std::to_string(k));
  }
  return database;
}

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Steps {
  std::vector<double> read, merge, write, total;
};

void Measure(const std::string& list, const UserDatabase& base, Steps& steps, formats::MergeSummary& summary) {
  const Clock::time_point start = Clock::now();
  const formats::ListRead read = formats::ReadPointList(formats::FileFormat::SpeedCameraCsv, list);
  const Clock::time_point readDone = Clock::now();
  formats::MergeOptions options;
  options.near = formats::EarthPosition{52.52, 13.40};
  options.fit = formats::CapacityFit::Nearest;
  const formats::MergeResult merged = formats::MergePoints(base, read.points, options);
  const Clock::time_point mergeDone = Clock::now();
  std::vector<formats::Change> changes;
  const std::string dropped = formats::WriteList(formats::FileFormat::SpeedCameraCsv, merged.leftOut, {}, changes);
  const std::string image = formats::WriteContents(formats::FileFormat::Image, merged.database);
  const Clock::time_point writeDone = Clock::now();
  if (!read.Ok() || !merged.Ok() || dropped.empty() || image.size() != kImageSize) std::abort();
  steps.read.push_back(Milliseconds(readDone - start));
  steps.merge.push_back(Milliseconds(mergeDone - readDone));
  steps.write.push_back(Milliseconds(writeDone - mergeDone));
  steps.total.push_back(Milliseconds(writeDone - start));
  summary = merged.summary;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t listPoints = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 50000;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  std::mt19937 random(2026);
  const std::string list = CameraList(listPoints, random);
  for (const std::size_t own : {std::size_t{256}, std::size_t{100}}) {
    const UserDatabase base = DriversDatabase(own, random);
    Steps steps;
    formats::MergeSummary summary;
    for (int run = 0; run < runs; ++run) Measure(list, base, steps, summary);
    std::printf(
        "%zu list points into %zu of the driver's, --fit nearest: read %.0f ms, merge %.0f ms, write %.0f ms, "
        "total %.0f ms (%s)\n",
        listPoints, own, Median(steps.read), Median(steps.merge), Median(steps.write), Median(steps.total),
        formats::DescribeSummary(summary).c_str());
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak memory of the process: %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
  return 0;
}
