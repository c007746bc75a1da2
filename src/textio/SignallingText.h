#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "model/ChannelRecord.h"

namespace kx {

// One side's signalling as a channel table cell: "NO", a CTCSS tone ("67.0"), a DCS code
// ("D023") or, on receive, the two-tone group ("Tone A", "Tone B", "Both").
struct Signalling {
  std::int32_t kind = kOptionNone;
  double ctcssHz = 0;
  std::int32_t dcsCode = 0;
  std::int32_t twoToneGroup = kToneBoth;
};

std::string RxSignallingText(const ChannelRecord& channel);
std::string TxSignallingText(const ChannelRecord& channel);
// A tone as the cells write it: "%.1f" for a tone of the table.
std::string CtcssText(double hz);
// "D" and the code's three octal digits.
std::string DcsText(std::int32_t code);

// A cell's text, or the reason it is none. Tones and codes must be in the radio's tables; a
// spreadsheet's "67" is the 67.0 tone, "D23" and "d023" are the same code. Two-tone groups are
// left to the caller, which knows the side and the model.
std::variant<Signalling, std::string> ParseSignalling(std::string_view text);
// Only a tone of the table, or only a code of the table ("D023"), or only a group.
std::variant<double, std::string> ParseCtcss(std::string_view text);
std::variant<std::int32_t, std::string> ParseDcs(std::string_view text);
std::variant<std::int32_t, std::string> ParseTwoToneGroup(std::string_view text);

}  // namespace kx
