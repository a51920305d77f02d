#include "cli/utf8_arguments.h"

namespace userdb::cli {

// A POSIX system hands over the bytes the user gave, which name the files as they are.
std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

}  // namespace userdb::cli
