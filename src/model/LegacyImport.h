#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "model/Outcome.h"

namespace kx {

class CKX200Doc;

// Channel files of the older KX100 (.UHF / .VHF): 100 text records "AA:HHLL\r\n" of 10
// characters, each a 16-bit word of the KX100's memory at a word address.
namespace legacy {
constexpr std::size_t kRecordCount = 100;
constexpr std::size_t kRecordLength = 10;
constexpr std::size_t kRecordUsed = 7;  // the rest is the line end
constexpr std::size_t kImageSize = 200;
using Image = std::array<std::uint8_t, kImageSize>;

// The KX100 memory a file describes, and how many records it held.
struct ParsedFile {
  Image image{};
  std::size_t records = 0;
};
ParsedFile ParseRecords(std::span<const std::uint8_t> text);
}  // namespace legacy

namespace legacy_message {
constexpr const char* kModelWrong = "Model type is wrong.";
constexpr const char* kOutOfBand = "The frequency is out of band.\r\nIt should be in %d - %d";
}  // namespace legacy_message

// Replaces the document with the channels and options of a KX100 file. vhfBand: the selected
// model is a VHF radio. Remarks about what could not be carried over come back as notices;
// a file that ends before the data of its 100th record is refused and leaves the document alone.
Outcome ImportLegacyFile(CKX200Doc& doc, const std::string& path, bool vhfBand);
Outcome ImportLegacyBytes(CKX200Doc& doc, std::span<const std::uint8_t> text, bool vhfBand);

}  // namespace kx
