#pragma once
// The calendar where the user is: backups are named by it and merged points dated by it, so both
// read the same on a clock that the user can check.

#include <ctime>
#include <string>

namespace userdb {

// moment as strftime's format writes it in local time ("%Y-%m-%d": "2026-12-09").
inline std::string LocalTimeText(std::time_t moment, const char* format) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &moment);
#else
  localtime_r(&moment, &local);
#endif
  char text[64];
  return std::string(text, std::strftime(text, sizeof text, format, &local));
}

}  // namespace userdb
