#include "cli/utf8_arguments.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/wide_text.h"

namespace userdb::cli {

// The system splits the wide command line by the same rules as the C library splits argv.
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (words == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) arguments.push_back(win32::Utf8Text(words[i]));
  LocalFree(words);
  return arguments;
}

}  // namespace userdb::cli
