#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kx {

// Radio model, 0..5. Even values are VHF radios, odd values UHF; 2 and 3 are the KX400, 4 and 5
// the KX600, 0 and 1 the first generation (only ever met in a radio image or a file).
using ModelType = std::int32_t;

namespace model {
constexpr ModelType kFirstGenVhf = 0;
constexpr ModelType kFirstGenUhf = 1;
constexpr ModelType kKx400Vhf = 2;
constexpr ModelType kKx400Uhf = 3;
constexpr ModelType kKx600Vhf = 4;
constexpr ModelType kKx600Uhf = 5;
constexpr ModelType kLast = 5;

constexpr bool isValid(ModelType type) {
  return type >= 0 && type <= kLast;
}
// Everything else that depends on the type is in its row of the traits table (ModelTraits.h).

// A model as the technician names it on a command line: "2".."5" or "kx400-vhf", "kx400-uhf",
// "kx600-vhf", "kx600-uhf" (any case).
std::optional<ModelType> parseSelectable(std::string_view text);
// The name parseSelectable takes for a model of the model dialog ("kx600-uhf"); "" for others.
std::string_view selectableName(ModelType type);
}  // namespace model

}  // namespace kx
