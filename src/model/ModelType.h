#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The models the model dialog offers and a command line takes, in type order (the selectable
// rows of the traits table).
const std::vector<ModelType>& selectableTypes();
// A model as the technician names it on a command line: its number or its name in the traits
// table (any case).
std::optional<ModelType> parseSelectable(std::string_view text);
// The name parseSelectable takes for a model of the model dialog; "" for others.
std::string_view selectableName(ModelType type);
// The selectable models' names for a help text or a message, separator between them and
// last before the last one (", " and " or " make "kx400-vhf, ... or ...").
std::string selectableNames(std::string_view separator, std::string_view last);
// Their numbers as a range: "2..5".
std::string selectableNumbers();
}  // namespace model

}  // namespace kx
