#pragma once
// What came of choosing, reading or writing a point file: one of a small closed set of
// outcomes, the value when there is one, and what is wrong said one line at a time.

#include <string>
#include <variant>
#include <vector>

namespace userdb::files {

using Complaints = std::vector<std::string>;  // one line each, without the program's name

enum class FileOutcome {
  Done,
  UnknownFormat,   // the name given, or the file's extension, names no format
  UnusableFormat,  // not built into this program, or not one that is read (or written)
  CannotRead,      // missing, unreadable, or larger than any database file
  Refused,         // read, but what it holds breaks its format or the rules of what goes to a device
  CannotWrite,
};

template <typename Value>
struct FileResult {
  FileOutcome outcome = FileOutcome::Done;
  Value value{};  // when done
  Complaints complaints;

  explicit operator bool() const { return outcome == FileOutcome::Done; }
};

// A write gives back nothing but how it went.
using SaveResult = FileResult<std::monostate>;

}  // namespace userdb::files
