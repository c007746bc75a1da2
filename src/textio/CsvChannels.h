#pragma once

#include <string>
#include <string_view>

#include "model/Outcome.h"

namespace kx {

class CKX200Doc;

// The channel table as CSV: a header of the channel page's column names, then one line per
// channel 1..16 with the values as the page shows them.
std::string ExportChannelsCsv(const CKX200Doc& doc);

// Takes the channels of a CSV channel table into the document, each row through the channel
// page's rules (see ApplyChannelRow). Header names in any case and order; CH is the one column
// that must be there. Channels without a row stay as they are. All or nothing: with any value
// refused the document stays exactly as it was. fileName names the file in the messages.
Outcome ImportChannelsCsv(CKX200Doc& doc, std::string_view text, const std::string& fileName);

}  // namespace kx
