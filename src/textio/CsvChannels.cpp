#include "textio/CsvChannels.h"

#include <algorithm>
#include <array>
#include <optional>
#include <variant>

#include "model/KX200Doc.h"
#include "textio/ChannelRowImport.h"
#include "textio/CsvTable.h"
#include "textio/ImportReport.h"
#include "textio/TextValues.h"

namespace kx {

namespace {

using text_values::Trimmed;

std::string columnList() {
  std::string list;
  for (const auto& c : kChannelColumns)
    list += (list.empty() ? "" : ", ") + std::string(c.header);
  return list;
}

// The column of each field of the header; nothing when the header is refused.
using HeaderColumns = std::vector<ChannelColumn>;

std::optional<HeaderColumns> readHeader(const csv::Record& header, ImportReport& report) {
  HeaderColumns columns;
  std::array<bool, kChannelColumnCount> seen{};
  for (const std::string& field : header.fields) {
    const auto known = std::find_if(
        kChannelColumns.begin(), kChannelColumns.end(),
        [&](const auto& c) { return text_values::EqualNoCase(Trimmed(field), c.header); });
    if (known == kChannelColumns.end()) {
      report.Refuse(header.line, {},
                    "unknown column " + text_values::Quoted(field) + " (the columns are " +
                        columnList() + ")");
      continue;
    }
    if (seen[ColumnIndex(known->column)])
      report.Refuse(header.line, {}, "column " + text_values::Quoted(field) + " appears twice");
    seen[ColumnIndex(known->column)] = true;
    columns.push_back(known->column);
  }
  if (!seen[ColumnIndex(ChannelColumn::kChannel)])
    report.Refuse(header.line, {}, "the header has no CH column");
  if (report.Refused()) return std::nullopt;
  return columns;
}

bool blankRow(const csv::Record& row) {
  return std::all_of(row.fields.begin(), row.fields.end(),
                     [](const std::string& f) { return Trimmed(f).empty(); });
}

// Applies the rows to the document, channel by channel.
class RowsImport {
 public:
  RowsImport(CKX200Doc& doc, const HeaderColumns& columns, ImportReport& report)
      : doc_(doc), columns_(columns), report_(report) {}

  void apply(const csv::Record& row) {
    if (row.fields.size() != columns_.size()) {
      report_.Refuse(row.line, {},
                     std::to_string(row.fields.size()) + " fields where the header has " +
                         std::to_string(columns_.size()));
      return;
    }
    GivenCells cells;
    for (std::size_t i = 0; i < columns_.size(); ++i)
      cells[ColumnIndex(columns_[i])] = row.fields[i];
    const auto index = channelIndex(row, *cells[ColumnIndex(ChannelColumn::kChannel)]);
    if (!index) return;
    cells[ColumnIndex(ChannelColumn::kChannel)].reset();
    for (const CellRemark& r : ApplyChannelRow(doc_, *index, cells)) {
      if (r.refused)
        report_.Refuse(row.line, HeaderOf(r.column), r.text);
      else
        report_.Note(row.line, HeaderOf(r.column), r.text);
    }
  }

 private:
  std::optional<int> channelIndex(const csv::Record& row, std::string_view cell) {
    const auto number = text_values::ParseWhole(cell);
    if (!number || *number < 1 || *number > kChannelCount) {
      report_.Refuse(row.line, "CH", text_values::Quoted(cell) + " is not a channel 1..16");
      return std::nullopt;
    }
    const auto i = static_cast<std::size_t>(*number - 1);
    if (lineOf_[i] != 0) {
      report_.Refuse(row.line, "CH",
                     "channel " + std::to_string(*number) + " is already on line " +
                         std::to_string(lineOf_[i]));
      return std::nullopt;
    }
    lineOf_[i] = row.line;
    return *number - 1;
  }

  CKX200Doc& doc_;
  const HeaderColumns& columns_;
  ImportReport& report_;
  std::array<int, kChannelCount> lineOf_{};
};

}  // namespace

std::string ExportChannelsCsv(const CKX200Doc& doc) {
  std::vector<std::string> header;
  for (const auto& c : kChannelColumns)
    header.emplace_back(c.header);
  std::string text = csv::FormatRecord(header);
  for (int i = 0; i < kChannelCount; ++i) {
    const ChannelCells cells = CellsOf(doc.channels[static_cast<std::size_t>(i)], i + 1);
    text += csv::FormatRecord(std::vector<std::string>(cells.begin(), cells.end()));
  }
  return text;
}

Outcome ImportChannelsCsv(CKX200Doc& doc, std::string_view text, const std::string& fileName) {
  ImportReport report(fileName);
  const auto parsed = csv::Parse(text);
  if (const auto* error = std::get_if<csv::SyntaxError>(&parsed)) {
    report.Refuse(error->line, {}, error->reason);
    return report.Finish();
  }
  const csv::Table& table = std::get<csv::Table>(parsed);
  if (table.records.empty()) {
    report.Refuse(0, {}, "the file holds no channel table");
    return report.Finish();
  }
  const auto columns = readHeader(table.records.front(), report);
  if (!columns) return report.Finish();

  CKX200Doc imported = doc;
  RowsImport rows(imported, *columns, report);
  for (std::size_t i = 1; i < table.records.size(); ++i) {
    if (!blankRow(table.records[i])) rows.apply(table.records[i]);
  }
  if (!report.Refused()) doc = imported;
  return report.Finish();
}

}  // namespace kx
