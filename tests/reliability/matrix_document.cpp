// Writes the fault matrix once every test has run, and holds it against the committed document.
//   USERDB_MATRIX_ROWS  a folder where each test leaves what it recorded, so that tests run one to
//                       a process add up to one document; without it, this process's tests alone
//   USERDB_MATRIX_OUT   where to write the rendered document
//   USERDB_MATRIX_DOC   the committed document that must equal it

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "tests/reliability/matrix_records.h"

namespace userdb::test {
namespace {

std::string FileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::optional<std::filesystem::path> RowsFolder() {
  const char* folder = std::getenv("USERDB_MATRIX_ROWS");
  return folder != nullptr ? std::optional<std::filesystem::path>(folder) : std::nullopt;
}

std::filesystem::path RowsFile(const std::filesystem::path& folder, const ::testing::TestInfo& test) {
  std::string name = std::string(test.test_suite_name()) + "." + test.name();
  std::replace(name.begin(), name.end(), '/', '_');
  return folder / (name + ".rows");
}

// Every test's file, in the order the tests run in one process. A test that did not run leaves
// its rows out, and the document then differs.
FaultMatrix Assembled(const std::filesystem::path& folder) {
  FaultMatrix matrix;
  const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
  for (int suite = 0; suite < unit.total_test_suite_count(); ++suite) {
    const ::testing::TestSuite& tests = *unit.GetTestSuite(suite);
    for (int test = 0; test < tests.total_test_count(); ++test) {
      const std::filesystem::path file = RowsFile(folder, *tests.GetTestInfo(test));
      if (!std::filesystem::exists(file)) continue;
      const std::optional<FaultMatrix> recorded = ReadRecords(FileText(file));
      EXPECT_TRUE(recorded.has_value()) << file << " is not a record of the matrix";
      if (recorded) matrix.Append(*recorded);
    }
  }
  return matrix;
}

// Each test's rows go to a file of its own as soon as it ends.
class RowFiles final : public ::testing::EmptyTestEventListener {
 public:
  void OnTestEnd(const ::testing::TestInfo& test) override {
    const std::optional<std::filesystem::path> folder = RowsFolder();
    if (!folder) return;
    std::filesystem::create_directories(*folder);
    std::ofstream(RowsFile(*folder, test), std::ios::binary) << WriteRecords(FaultMatrix::Instance());
    FaultMatrix::Instance() = FaultMatrix();
  }
};

class MatrixDocument final : public ::testing::Environment {
 public:
  void TearDown() override {
    const char* out = std::getenv("USERDB_MATRIX_OUT");
    if (out == nullptr) return;
    const std::optional<std::filesystem::path> folder = RowsFolder();
    const std::string rendered = (folder ? Assembled(*folder) : FaultMatrix::Instance()).Render();
    std::ofstream(out, std::ios::binary) << rendered;
    const char* committed = std::getenv("USERDB_MATRIX_DOC");
    if (committed == nullptr) return;
    EXPECT_TRUE(FileText(committed) == rendered)
        << committed << " no longer matches the tests; if the change is meant, copy " << out << " over it";
  }
};

[[maybe_unused]] const auto* const kRegistered = ::testing::AddGlobalTestEnvironment(new MatrixDocument);
[[maybe_unused]] const bool kListening = (::testing::UnitTest::GetInstance()->listeners().Append(new RowFiles), true);

}  // namespace
}  // namespace userdb::test
