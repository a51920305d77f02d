#pragma once
// The command line's exit statuses, as docs/cli.md lists them.

namespace userdb::cli::exit_code {

inline constexpr int kSuccess = 0;
// The device could not be reached, refused or failed the transfer, or the user said no.
inline constexpr int kDeviceFailure = 1;
inline constexpr int kUsage = 2;
// A file could not be read or written, or its points break the rules; the device was not touched.
inline constexpr int kFileProblem = 3;
// The device confirmed an upload but reads back other bytes than were sent.
inline constexpr int kVerifyMismatch = 4;
// An earlier write to the device did not finish and left it holding neither the points written
// nor those from before; nothing was written until the user chooses how to put it right.
inline constexpr int kUnfinishedWrite = 5;

}  // namespace userdb::cli::exit_code
