#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "model/Outcome.h"

namespace kx {

class CKX200Doc;

// The .dat configuration file: a fixed 1827-byte little-endian dump of the document, with no
// header, version or checksum. The model type in its first four bytes is the only thing that
// tells a configuration from any other file.
namespace config_file {
constexpr std::size_t kSize = 1827;
constexpr std::size_t kRadioWideSize = 220;
constexpr std::size_t kChannelOffset = 220;
constexpr std::size_t kChannelSize = 100;
constexpr std::size_t channelOffset(int index) {
  return kChannelOffset + kChannelSize * index;
}
constexpr std::size_t kTailOffset = 1820;  // regB8, regB6, subBandIndex, externalModulation

// File dialog texts.
constexpr const char* kSaveFilter = "Data Files (*.dat) | *.dat||";
constexpr const char* kOpenFilter =
    "Data Files (*.dat) | *.dat|KX100 Files(*.UHF;*.VHF)|*.UHF;*.VHF||";
constexpr const char* kDefaultExtension = "*.dat";
}  // namespace config_file

namespace file_message {
constexpr const char* kCannotSave = "Cannot Save File!";
constexpr const char* kCannotOpen = "Cannot Open File!";
constexpr const char* kCorrupted = "This file is corrupted or wrong file type!";
constexpr const char* kUhfMismatch =
    "This file is for UHF. Model type is mismatched.\r\n\r\nPlease select model again...";
constexpr const char* kVhfMismatch =
    "This file is for VHF. Model type is mismatched.\r\n\r\nPlease select model again...";
}  // namespace file_message

// The file's bytes for a document.
std::array<std::uint8_t, config_file::kSize> EncodeConfigFile(const CKX200Doc& doc);
// Loads a file's bytes into the document. All or nothing: a buffer shorter than the file
// layout, or a model type outside 0..5, is refused with the corruption message and the
// document stays exactly as it was. Bytes past the layout are ignored.
Outcome DecodeConfigFile(CKX200Doc& doc, std::span<const std::uint8_t> bytes);

Outcome SaveConfigFile(const CKX200Doc& doc, const std::string& path);
Outcome LoadConfigFile(CKX200Doc& doc, const std::string& path);

// The open command's dispatch on the file's extension (any case): .dat loads a configuration,
// .UHF and .VHF import a KX100 channel file when the model's band matches. Any other extension
// does nothing and says nothing (a silent failure).
Outcome OpenConfigurationFile(CKX200Doc& doc, const std::string& path);
// Whether the open command knows the file's extension (.dat, .UHF or .VHF, any case).
bool HasConfigurationExtension(const std::string& path);

}  // namespace kx
