#pragma once
// The options every subcommand takes, given before or after it.

#include <string>

namespace userdb::cli {

struct GlobalOptions {
  std::string port;
  bool quiet = false;
  std::string trace;
  int retries = 2;  // further tries of a handshake that fails
  int wait = 0;     // seconds a port that is not there or not free yet is waited for
  bool explain = false;
  bool mph = false;
};

}  // namespace userdb::cli
