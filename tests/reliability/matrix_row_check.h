#pragma once
// Runs one row of the fault matrix on the paced line: injects the fault, runs the command,
// describes what it left behind and records the row.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/reliability/fault_matrix.h"
#include "tests/reliability/paced_line.h"

namespace userdb::test {

// The waits a fault may cost beyond the command's time on a healthy line.
struct Waits {
  int shortReads = 0;       // reads that wait out their 100 ms limit
  int silences = 0;         // waits that ride out kLullLimit of silence before they give up
  int suspectedEnds = 0;    // waits that ride out kSuspectedEndLimit where a list looks cut off
  bool writeStall = false;  // the 2 s a port may take nothing
  bool endMessage = false;  // the 3 s for "KT Update Over" after the device information
  bool verdict = false;     // the 30 s for the device's verdict after an upload
  Duration pause{};         // what the fault itself holds the line for
  bool readsTwice = false;  // a download that reads the device again: a healthy command's time more
};
Duration Allowance(const Waits& waits);

struct ExpectedRow {
  std::string name;  // the test's name
  MatrixSection section = MatrixSection::DeviceFaults;
  std::string fault;
  Command command = Command::Connect;
  std::function<void(PacedLine&)> inject;
  bool succeeds = false;
  std::string userSees;  // as BoxTexts renders the boxes
  Waits waits;
  std::string memory;  // as the row describes the database in memory and the window
  std::string device = "unchanged";
};

void PrintTo(const ExpectedRow& expected, std::ostream* out);

// Everything observed, checked against what the row expects and recorded in the matrix.
void RunMatrixRow(const ExpectedRow& expected);
// The row run once for each injection in turn, as for a lull before each of several blocks: every
// run is held to the row, and the row records the longest.
void RunMatrixRow(const ExpectedRow& expected, const std::vector<std::function<void(PacedLine&)>>& injects);

}  // namespace userdb::test
