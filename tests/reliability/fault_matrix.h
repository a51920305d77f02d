#pragma once
// The fault matrix: every test that puts the program through a fault records what it saw as
// one row, and docs/reliability.md is rendered from those rows, never written by hand.

#include <string>
#include <vector>

#include "device/clock.h"

namespace userdb::test {

// The sections of the document, in their order.
enum class MatrixSection { DeviceFaults, Lulls, LineDamage, Ports, Files };

struct MatrixRow {
  MatrixSection section = MatrixSection::DeviceFaults;
  std::string fault;
  std::string command;
  std::string userSees;
  std::string time;    // as measured: on the line's clock, or against a real-time ceiling
  std::string bound;   // what the test held the time to
  std::string port;    // its state after the command
  std::string device;  // the device's image
  std::string memory;  // the database in memory and the window
  std::string file;
};

// A further block of figures below the table, such as the random run's.
struct MatrixNote {
  std::string title;
  std::vector<std::string> lines;
  std::string lead = {};  // a paragraph ahead of the lines, for a note that rows add to one by one
};

class FaultMatrix {
 public:
  static FaultMatrix& Instance();

  void Add(MatrixRow row) { rows_.push_back(std::move(row)); }
  void AddNote(MatrixNote note) { notes_.push_back(std::move(note)); }
  // One more line of the note so titled; the first begins it with its lead.
  void AddNoteLine(const std::string& title, const std::string& lead, std::string line);
  // What other recorded, as if it had been recorded here after all that was.
  void Append(const FaultMatrix& other);

  const std::vector<MatrixRow>& Rows() const { return rows_; }
  const std::vector<MatrixNote>& Notes() const { return notes_; }

  // The whole document. Rows keep the order in which they were added within a section.
  std::string Render() const;

 private:
  std::vector<MatrixNote>::iterator NoteTitled(const std::string& title);

  std::vector<MatrixRow> rows_;
  std::vector<MatrixNote> notes_;
};

// "0.20 s", to two places: the line's clock runs in whole nanoseconds, the table in seconds.
std::string Seconds(Duration duration);

}  // namespace userdb::test
