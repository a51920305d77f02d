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

}  // namespace userdb::cli::exit_code
