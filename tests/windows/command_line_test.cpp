// userdb.exe given files whose names the ANSI code page cannot hold: it reads and writes them by
// the names typed, and says so in UTF-8.

#include <gtest/gtest.h>

#include "platform/win32/windows_header.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/path_text.h"
#include "database/user_database.h"

namespace userdb::test {
namespace {

std::filesystem::path CommandLineProgram() {
  std::wstring module(MAX_PATH, L'\0');
  module.resize(GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size())));
  return (std::filesystem::path(module).parent_path() / USERDB_CLI_FROM_TESTS).lexically_normal();
}

struct Finished {
  DWORD exitCode = ~DWORD{0};
  std::string output;  // the bytes on standard output
};

// Runs userdb.exe with the arguments as one wide command line, as a console would start it.
Finished RunCommandLine(const std::wstring& arguments, const std::filesystem::path& outputFile) {
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const HANDLE output = CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(output, INVALID_HANDLE_VALUE);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION process{};
  const std::filesystem::path program = CommandLineProgram();
  std::wstring commandLine = L"\"" + program.wstring() + L"\" " + arguments;
  Finished finished;
  if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                     &startup, &process) != FALSE) {
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &finished.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    ADD_FAILURE() << "cannot start " << program;
  }
  CloseHandle(output);
  std::ifstream written(outputFile, std::ios::binary);
  finished.output.assign(std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>());
  return finished;
}

TEST(CommandLine, ReadsAndWritesFilesNamedInPolishGreekAndChinese) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("userdb-command-line-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::filesystem::path list = folder / L"Łódź κάμερες.csv";
  const std::filesystem::path image = folder / L"相機.bin";
  std::ofstream(list, std::ios::binary) << "X,Y,TYPE,SPEED,DIRTYPE,DIRECTION\n"
                                           "9.0000000,48.0000000,0,50,1,90\n"
                                           "9.0000000,48.0100000,0,50,1,270\n";

  const Finished finished =
      RunCommandLine(L"export \"" + list.wstring() + L"\" \"" + image.wstring() + L"\"", folder / "output.txt");

  EXPECT_EQ(finished.exitCode, 0u) << finished.output;
  EXPECT_EQ(finished.output, "Wrote 2 points to " + PathText(image) + "\r\n");
  std::error_code missing;
  EXPECT_EQ(std::filesystem::file_size(image, missing), kImageSize) << missing.message();
  std::filesystem::remove_all(folder, missing);
}

}  // namespace
}  // namespace userdb::test
