#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kx::csv {

// A record of a CSV text and the line it starts on (1-based, as an editor counts).
struct Record {
  int line = 0;
  std::vector<std::string> fields;
};

struct Table {
  char separator = ',';
  std::vector<Record> records;  // blank lines are left out
};

// Where a text is not CSV, and why.
struct SyntaxError {
  int line = 0;
  std::string reason;
};

// Reads RFC 4180 text: fields separated by commas, or by semicolons when the first record has
// a semicolon and no comma (as spreadsheets write CSV in many locales); fields in double quotes
// may hold separators, line breaks and doubled quotes. Lines end in CRLF, LF or CR; a UTF-8
// byte-order mark at the start is skipped.
std::variant<Table, SyntaxError> Parse(std::string_view text);

// One record as a line of CSV with CRLF, fields quoted where they must be.
std::string FormatRecord(const std::vector<std::string>& fields, char separator = ',');

}  // namespace kx::csv
