#pragma once
// The options every subcommand takes, given before or after it.

#include <string>

namespace userdb::cli {

struct GlobalOptions {
  std::string port;
  bool quiet = false;
  std::string trace;
  int retries = 2;  // further tries of a handshake that fails
  bool explain = false;
  bool mph = false;
};

}  // namespace userdb::cli
