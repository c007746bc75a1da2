#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kx::text_values {

// Values as a technician writes them in a spreadsheet cell or a YAML file, and as the exports
// write them back.

std::string_view Trimmed(std::string_view text);
// A text from a file as a message shows it: trimmed, cut after 40 characters, anything but
// printable ASCII as '?' (a file must not steer the terminal the message goes to). Quoted puts
// it in single quotes.
std::string Printable(std::string_view text);
std::string Quoted(std::string_view text);
bool EqualNoCase(std::string_view a, std::string_view b);

// A plain decimal: an optional sign, digits, an optional point (or a decimal comma, as
// spreadsheets write it in many locales) and more digits. No exponents, no units, nothing else;
// blanks around it are allowed.
std::optional<double> ParseNumber(std::string_view text);
// A whole number within the range of a 32-bit field.
std::optional<std::int32_t> ParseWhole(std::string_view text);
// The shortest text that reads back as the same double ("300", "1234.5678").
std::string NumberText(double value);
// A number as a technician types it into an edit: plain digits and a point, never an exponent
// (1e+20 would read as 1 in the edit, whose conversion stops at the "e").
std::string EditText(double value);

// An on/off value: ON/OFF, yes/no, true/false, 1/0 in any case. Any other whole number that is
// not negative is taken as it is (non-zero is on): a radio read stores some flags as 4.
std::optional<std::int32_t> ParseFlag(std::string_view text);
// "ON" or "OFF", or the number itself when a flag holds more than 1, which ParseFlag takes
// back as it is. A negative flag (a damaged file) is on, as the pages show it.
std::string FlagText(std::int32_t flag);

}  // namespace kx::text_values
