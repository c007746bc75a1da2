#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "textio/ChannelColumns.h"

namespace kx {

class CKX200Doc;

// What the channel page's rules said about one cell of an imported row: a value refused with
// the page's own text, or a note that the rules stored another value than the one written.
struct CellRemark {
  ChannelColumn column;
  std::string text;
  bool refused = false;
};

// The cells a file gives for a row, by column; an absent column keeps the channel's value, and
// so does an empty cell in any column but the two frequencies (where empty means no frequency).
using GivenCells = std::array<std::optional<std::string>, kChannelColumnCount>;

// Puts one row into channel index (0..15) as a technician would type it on the channel page:
// both frequency edits take the row's texts, the RX edit is left (checked and snapped), then the
// TX edit; a TX frequency alone is a TX typed into an empty row, which moves to RX and TX
// follows. Signalling, width, power, scan and the two-tone values go through the option
// dialogs' rules. The channel number column is the caller's. Refused cells leave the document
// in some state between, so a caller applies rows to a copy and keeps it only when nothing was
// refused.
std::vector<CellRemark> ApplyChannelRow(CKX200Doc& doc, int index, const GivenCells& cells);

}  // namespace kx
