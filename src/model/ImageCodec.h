#pragma once

#include <cstdint>
#include <span>

#include "model/MemoryMap.h"
#include "model/Outcome.h"
#include "model/RadioMemory.h"

namespace kx {

class CKX200Doc;

namespace image_message {
constexpr const char* kWrongSize = "The radio memory image must be 416 bytes!";
constexpr const char* kUnknownModel = "Unknown model type in the radio memory!";
}  // namespace image_message

// The radio memory image of a configuration, built from all zero bytes. It normalises the
// document on the way: any modemMode other than kDumbMode becomes kAutoMode.
image::Image BuildImage(CKX200Doc& doc);

// The encode a write and the map page run: keeps the previous working image as the shown image,
// clears the received image, and rebuilds the working image from the document.
bool EncodeImage(CKX200Doc& doc, RadioMemory& memory);

// Overwrites the document's fields from an image read from a radio. Refused, with the document
// left exactly as it was, when the buffer is not 416 bytes or its model code is unknown.
Outcome DecodeImage(CKX200Doc& doc, std::span<const std::uint8_t> bytes);

}  // namespace kx
