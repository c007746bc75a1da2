#include <gtest/gtest.h>

#include "textio/CsvTable.h"

namespace kx::csv {
namespace {

TEST(CsvTableTest, ReadsWhatSpreadsheetsWrite) {
  const struct {
    const char* what;
    std::string text;
    char separator;
    std::vector<Record> records;
  } cases[] = {
      {"quoted comma and quotes, CRLF",
       "CH,Note\r\n1,\"a, \"\"b\"\"\"\r\n",
       ',',
       {{1, {"CH", "Note"}}, {2, {"1", "a, \"b\""}}}},
      {"byte-order mark, semicolons, decimal comma",
       "\xEF\xBB\xBF"
       "CH;Rx\n1;150,125\n",
       ';',
       {{1, {"CH", "Rx"}}, {2, {"1", "150,125"}}}},
      {"line break inside quotes, blank line",
       "a,\"x\r\ny\"\n\n3,z",
       ',',
       {{1, {"a", "x\ny"}}, {4, {"3", "z"}}}},
      {"old line ends, empty fields",
       "a,b\r1,\r,\r",
       ',',
       {{1, {"a", "b"}}, {2, {"1", ""}}, {3, {"", ""}}}},
  };
  for (const auto& c : cases) {
    const auto parsed = Parse(c.text);
    ASSERT_TRUE(std::holds_alternative<Table>(parsed)) << c.what;
    const Table& table = std::get<Table>(parsed);
    EXPECT_EQ(table.separator, c.separator) << c.what;
    ASSERT_EQ(table.records.size(), c.records.size()) << c.what;
    for (std::size_t i = 0; i < c.records.size(); ++i) {
      EXPECT_EQ(table.records[i].line, c.records[i].line) << c.what;
      EXPECT_EQ(table.records[i].fields, c.records[i].fields) << c.what;
    }
  }
}

TEST(CsvTableTest, BrokenQuotingIsRefusedWithItsLine) {
  const struct {
    std::string text;
    int line;
    const char* reason;
  } cases[] = {
      {"a,b\n1,\"open\n2,3\n", 2, "a quoted field is not closed"},
      {"a,b\n\n1,\"x\"y\n", 3, "text after the closing quote of a field"},
      {"a,b\n1,x\"y\n", 2, "a double quote inside a field that does not start with one"},
  };
  for (const auto& c : cases) {
    const auto parsed = Parse(c.text);
    ASSERT_TRUE(std::holds_alternative<SyntaxError>(parsed)) << c.text;
    EXPECT_EQ(std::get<SyntaxError>(parsed).line, c.line) << c.text;
    EXPECT_EQ(std::get<SyntaxError>(parsed).reason, c.reason) << c.text;
  }
}

TEST(CsvTableTest, WrittenFieldsReadBackAsTheyWere) {
  const std::vector<std::string> fields{"plain", "a,b", "say \"hi\"", "two\nlines", " padded", ""};
  const auto parsed = Parse(FormatRecord(fields) + FormatRecord({"x"}));
  ASSERT_TRUE(std::holds_alternative<Table>(parsed));
  EXPECT_EQ(std::get<Table>(parsed).records.front().fields, fields);
  EXPECT_EQ(FormatRecord({"1", "150.12500"}), "1,150.12500\r\n");
}

}  // namespace
}  // namespace kx::csv
