#pragma once
// The words of the command line as the commands take them: UTF-8, the program's name first.
// On Windows main() gets them in the ANSI code page, which loses a Greek or Chinese file name;
// there they are read again from the wide command line.

#include <string>
#include <vector>

namespace userdb::cli {

std::vector<std::string> Utf8Arguments(int argc, char** argv);

}  // namespace userdb::cli
