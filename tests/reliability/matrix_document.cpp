// Writes the fault matrix once every test has run, and holds it against the committed document.
//   USERDB_MATRIX_OUT  where to write the rendered document
//   USERDB_MATRIX_DOC  the committed document that must equal it

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/reliability/fault_matrix.h"

namespace userdb::test {
namespace {

std::string FileText(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class MatrixDocument final : public ::testing::Environment {
 public:
  void TearDown() override {
    const char* out = std::getenv("USERDB_MATRIX_OUT");
    if (out == nullptr) return;
    const std::string rendered = FaultMatrix::Instance().Render();
    std::ofstream(out, std::ios::binary) << rendered;
    const char* committed = std::getenv("USERDB_MATRIX_DOC");
    if (committed == nullptr) return;
    EXPECT_TRUE(FileText(committed) == rendered)
        << committed << " no longer matches the tests; if the change is meant, copy " << out << " over it";
  }
};

[[maybe_unused]] const auto* const kRegistered = ::testing::AddGlobalTestEnvironment(new MatrixDocument);

}  // namespace
}  // namespace userdb::test
