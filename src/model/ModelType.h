#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

// Radio model, 0..5. Even values are VHF radios, odd values UHF; 2 and 3 are the KX400, 4 and 5
// the KX600, 0 and 1 the first generation (only ever met in a radio image or a file). A type of
// its own: a number from a file or a command line becomes one only through a cast, where it is
// checked. It holds any 32-bit value, as a damaged file may.
namespace model {
enum Type : std::int32_t {
  kFirstGenVhf = 0,
  kFirstGenUhf = 1,
  kKx400Vhf = 2,
  kKx400Uhf = 3,
  kKx600Vhf = 4,
  kKx600Uhf = 5,
  kLast = kKx600Uhf,
};
}  // namespace model
using ModelType = model::Type;

namespace model {
// Every type the traits table has a row for, the first generation too.
constexpr ModelType kAllTypes[] = {kFirstGenVhf, kFirstGenUhf, kKx400Vhf,
                                   kKx400Uhf,    kKx600Vhf,    kKx600Uhf};

// Takes any number: a type read from a file or an image is checked before it becomes one.
constexpr bool isValid(std::int32_t type) {
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
