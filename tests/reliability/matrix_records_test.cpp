// The matrix put together from one file per test must render exactly as the matrix of one
// process that ran them all: the committed document is held against it.

#include "tests/reliability/matrix_records.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace userdb::test {
namespace {

constexpr const char* kUploads = "Uploads that fail";
constexpr const char* kLead = "What the next load finds:";

MatrixRow Row(MatrixSection section, const std::string& fault) {
  return {section,  fault,    "Load user database", "\"Failed\"", "0.20 s",
          "0.90 s", "closed", "unchanged",          "unchanged",  ""};
}

// What three tests record, each into the matrix of its process.
const std::function<void(FaultMatrix&)> kTests[] = {
    [](FaultMatrix& matrix) {
      matrix.Add(Row(MatrixSection::LineDamage, "a tab\there, a back\\slash, a | bar"));
      matrix.AddNoteLine(kUploads, kLead, "- torn: the write again.");
    },
    [](FaultMatrix& matrix) {
      matrix.Add(Row(MatrixSection::DeviceFaults, "no answer"));
      matrix.AddNoteLine(kUploads, kLead, "- stalled: the points from before.");
    },
    [](FaultMatrix& matrix) {
      matrix.AddNote({"Clean-up", {"first line", "", "| a | table |", "a\\n and\na break"}});
    },
};

FaultMatrix RecordedBy(const std::function<void(FaultMatrix&)>& test) {
  FaultMatrix matrix;
  test(matrix);
  return matrix;
}

TEST(MatrixRecords, TestsRecordedApartAddUpToTheDocumentOfOneRun) {
  FaultMatrix oneRun;
  FaultMatrix assembled;
  for (const auto& test : kTests) {
    test(oneRun);
    const std::string written = WriteRecords(RecordedBy(test));
    const std::optional<FaultMatrix> read = ReadRecords(written);
    ASSERT_TRUE(read.has_value()) << written;
    assembled.Append(*read);
  }
  const std::string document = assembled.Render();
  EXPECT_EQ(document, oneRun.Render());
  // The lead begins the note once, however many tests add to it.
  EXPECT_NE(document.find("## Uploads that fail\n\nWhat the next load finds:\n\n- torn: the write again.\n- stalled: "),
            std::string::npos)
      << document;
  EXPECT_NE(document.find("a tab\there, a back\\slash"), std::string::npos) << document;
}

TEST(MatrixRecords, AFileThatRecordsNothingAddsNothing) {
  const std::optional<FaultMatrix> read = ReadRecords(WriteRecords(FaultMatrix()));
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->Render(), FaultMatrix().Render());
}

TEST(MatrixRecords, TextItDidNotWriteIsRefused) {
  const std::string row = WriteRecords(RecordedBy(kTests[1]));
  ASSERT_EQ(row.back(), '\n');
  for (const std::string& text :
       std::vector<std::string>{row.substr(0, row.size() - 1),             // cut short
                                "line\t0\ta\tb\tc\td\te\tf\tg\th\ti\n",    // no such record
                                "row\t5\ta\tb\tc\td\te\tf\tg\th\ti\n",     // no such section
                                "row\t-1\ta\tb\tc\td\te\tf\tg\th\ti\n",    // nor this
                                "row\t0\ta\tb\tc\td\te\tf\tg\th\n",        // a cell short
                                "row\t0\ta\tb\tc\td\te\tf\tg\th\ti\tj\n",  // a cell over
                                "row\t0\ta\\x\tb\tc\td\te\tf\tg\th\ti\n",  // no such escape
                                "note\tClean-up\n",                        // no lead
                                "note\tClean-up\tlead\tends in \\\n"}) {   // an escape of nothing
    EXPECT_FALSE(ReadRecords(text).has_value()) << text;
  }
}

}  // namespace
}  // namespace userdb::test
