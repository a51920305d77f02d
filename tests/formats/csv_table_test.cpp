#include "formats/csv_table.h"

#include <gtest/gtest.h>

namespace userdb::formats {
namespace {

TEST(CsvTable, QuotedFieldsComeBackAsWritten) {
  const std::vector<std::string> fields = {"plain", "a,b", "say \"hi\"", "two\r\nlines", " padded ", "", "\n"};
  const std::string line = CsvLine(fields);
  EXPECT_EQ(line, "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\" padded \",,\"\n\"\r\n");
  const CsvTable table = ParseCsv(line);
  ASSERT_TRUE(table.problems.empty());
  ASSERT_EQ(table.records.size(), 1u);
  EXPECT_EQ(table.records[0].fields, fields);
}

TEST(CsvTable, RecordsKnowTheLineTheyStartOn) {
  const CsvTable table = ParseCsv("a,b\n\"x\ny\",1\n\nlast,2");
  ASSERT_TRUE(table.problems.empty());
  ASSERT_EQ(table.records.size(), 3u);
  EXPECT_EQ(table.records[1].line, 2);
  EXPECT_EQ(table.records[2].line, 5);  // after a field over two lines and an empty line
  EXPECT_EQ(table.records[2].fields, (std::vector<std::string>{"last", "2"}));
}

TEST(CsvTable, ByteOrderMarkAndLineEndingsOfSpreadsheetsReadTheSame) {
  const CsvTable unix = ParseCsv("a,b\n1,2\n");
  const CsvTable windows = ParseCsv(
      "\xEF\xBB\xBF"
      "a,b\r\n1,2\r\n");
  ASSERT_TRUE(windows.problems.empty());
  ASSERT_EQ(windows.records.size(), unix.records.size());
  for (std::size_t i = 0; i < unix.records.size(); ++i) EXPECT_EQ(windows.records[i].fields, unix.records[i].fields);
  EXPECT_EQ(ParseCsv("a\rb\n").records[0].fields[0], "a\rb");  // a lone CR is data, not a line break
}

TEST(CsvTable, BrokenQuotesStopTheReadingWithTheirLine) {
  struct Case {
    const char* text;
    int line;
    const char* message;
  };
  for (const Case& test : {
           Case{"a,b\n1,\"open\n2,3\n", 2, "the quoted field that starts on this line is never closed"},
           Case{"a,b\n1,x\"y\n", 2, "a quote inside an unquoted field: quote the whole field and double the quote"},
           Case{"a,b\n\n1,\"x\"y\n", 3, "text after the closing quote of a field"},
       }) {
    const CsvTable table = ParseCsv(test.text);
    ASSERT_EQ(table.problems.size(), 1u) << test.text;
    EXPECT_EQ(table.problems[0].line, test.line) << test.text;
    EXPECT_EQ(table.problems[0].message, test.message);
  }
}

}  // namespace
}  // namespace userdb::formats
