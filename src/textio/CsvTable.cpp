#include "textio/CsvTable.h"

#include <algorithm>
#include <optional>

namespace kx::csv {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

char separatorOf(std::string_view text) {
  // The separator is the one of the first record; quoted text does not count.
  bool quoted = false, comma = false, semicolon = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n' || c == '\r') break;
    comma = comma || c == ',';
    semicolon = semicolon || c == ';';
  }
  return semicolon && !comma ? ';' : ',';
}

// Walks the text once, record by record.
class Reader {
 public:
  Reader(std::string_view text, char separator) : text_(text), separator_(separator) {}

  std::variant<Table, SyntaxError> run() {
    Table table{separator_, {}};
    while (at_ < text_.size()) {
      Record record{line_, {}};
      if (auto error = readRecord(record.fields)) return *error;
      const bool blank = record.fields.size() == 1 && record.fields[0].empty();
      if (!blank) table.records.push_back(std::move(record));
    }
    return table;
  }

 private:
  bool atLineEnd() const { return text_[at_] == '\n' || text_[at_] == '\r'; }
  void skipLineEnd() {
    if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') ++at_;
    ++at_;
    ++line_;
  }

  std::optional<SyntaxError> readRecord(std::vector<std::string>& fields) {
    for (;;) {
      std::string field;
      if (at_ < text_.size() && text_[at_] == '"') {
        if (auto error = readQuoted(field)) return error;
      } else {
        while (at_ < text_.size() && text_[at_] != separator_ && !atLineEnd()) {
          if (text_[at_] == '"')
            return SyntaxError{line_, "a double quote inside a field that does not start with one"};
          field += text_[at_++];
        }
      }
      fields.push_back(std::move(field));
      if (at_ >= text_.size()) return std::nullopt;
      if (text_[at_] == separator_) {
        ++at_;
        continue;
      }
      skipLineEnd();
      return std::nullopt;
    }
  }

  std::optional<SyntaxError> readQuoted(std::string& field) {
    const int opened = line_;
    ++at_;
    for (;;) {
      if (at_ >= text_.size()) return SyntaxError{opened, "a quoted field is not closed"};
      const char c = text_[at_];
      if (c == '"') {
        if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
          field += '"';
          at_ += 2;
          continue;
        }
        ++at_;
        if (at_ < text_.size() && text_[at_] != separator_ && !atLineEnd())
          return SyntaxError{line_, "text after the closing quote of a field"};
        return std::nullopt;
      }
      if (c == '\r' || c == '\n') {
        // A line break inside quotes belongs to the field, as one "\n".
        skipLineEnd();
        field += '\n';
        continue;
      }
      field += c;
      ++at_;
    }
  }

  std::string_view text_;
  char separator_;
  std::size_t at_ = 0;
  int line_ = 1;
};

bool needsQuotes(const std::string& field, char separator) {
  return field.find_first_of(std::string{separator, '"', '\r', '\n'}) != std::string::npos ||
         (!field.empty() && (field.front() == ' ' || field.back() == ' '));
}

}  // namespace

std::variant<Table, SyntaxError> Parse(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  return Reader(text, separatorOf(text)).run();
}

std::string FormatRecord(const std::vector<std::string>& fields, char separator) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += separator;
    if (!needsQuotes(fields[i], separator)) {
      line += fields[i];
      continue;
    }
    line += '"';
    for (char c : fields[i]) {
      if (c == '"') line += '"';
      line += c;
    }
    line += '"';
  }
  return line + "\r\n";
}

}  // namespace kx::csv
