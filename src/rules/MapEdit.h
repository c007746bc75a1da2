#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/MemoryMap.h"
#include "model/Outcome.h"

namespace kx {

class CKX200Doc;
struct RadioMemory;

// How the EEPROM map paints the bytes that changed since it last showed the image: white as
// every other byte (a new configuration, a model choice), or pink until "Clear Changes" (the
// page opened again, a file loaded).
enum class MapMarking { kPlain, kChanged };

// The map's texts: row labels "%X" of the address / 16 (0 .. 19), byte texts "%02X", and the
// edited cell's address "0x%x%x" of row and column (0x05, 0xa0, 0x123).
namespace map_text {
constexpr int kRows = static_cast<int>(image::kSize / 16);
constexpr int kColumns = 16;
std::string Label(int number);
std::string Byte(std::uint8_t value);
std::string CellAddress(std::size_t address);
}  // namespace map_text

// A value typed in hexadecimal: one or two hex digits. Empty gives "Input Hexa code!" (the
// focus goes back to the edit); anything else, also three or more characters, gives
// "Wrong Hexa data input". The value stays as it was on a refusal.
struct HexEntry {
  std::optional<std::uint8_t> value;
  std::optional<Notice> notice;
  bool focusBack = false;
};
HexEntry ParseHexEntry(std::string_view text);

// One run of " CHANGE EEPROM MAP" on a byte of the working image. The value can only be changed,
// and the change only confirmed, once the access code was given.
class MapByteEditor {
 public:
  MapByteEditor(CKX200Doc& doc, const RadioMemory& memory, std::size_t address);

  std::string AddressText() const { return map_text::CellAddress(address_); }
  std::string ValueText() const { return map_text::Byte(value_); }
  std::uint8_t Value() const { return value_; }
  std::size_t Address() const { return address_; }
  bool Unlocked() const { return unlocked_; }

  // The access-code edit lost the focus holding this text.
  void TypeAccessCode(std::string_view text);
  // INPUT: unlocks the value with the code, else "Wrong password!".
  std::optional<Notice> Input();
  // The value edit lost the focus. Byte 0x0B8 goes into the document's copy at once.
  HexEntry LeaveValue(std::string_view text);
  // OK: whether there is a change to make (nothing without the access code).
  bool Confirm() const { return unlocked_; }

 private:
  CKX200Doc& doc_;
  std::size_t address_;
  std::uint8_t value_;
  int codeEntered_ = 0;
  bool unlocked_ = false;
};

// A confirmed hand edit: into the working image and the pending edits, which a write lays over
// the encoded image; the document's copy of byte 0x0B6 follows the image.
void ApplyMapEdit(CKX200Doc& doc, RadioMemory& memory, std::size_t address, std::uint8_t value);

// "Show Engineering Settings": each channel's step from bits 7..6 of its record's first byte
// ("2.50", "5.00", "6.25", "7.50"), and that byte as "0x020: 80".
struct ChannelStepLine {
  std::string step;
  std::string byte;
};
std::array<ChannelStepLine, 16> ChannelSteps(const image::Image& working);
// The steps as one text, a line each with CR LF, as the dialog's step list shows them.
std::string StepListText(const image::Image& working);

}  // namespace kx
