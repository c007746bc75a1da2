#include "model/ModelType.h"

#include <array>
#include <cctype>
#include <string>

namespace kx::model {

namespace {
struct ModelName {
  std::string_view name;
  ModelType type;
};
constexpr std::array<ModelName, 8> kNames{{{"2", kKx400Vhf},
                                           {"3", kKx400Uhf},
                                           {"4", kKx600Vhf},
                                           {"5", kKx600Uhf},
                                           {"kx400-vhf", kKx400Vhf},
                                           {"kx400-uhf", kKx400Uhf},
                                           {"kx600-vhf", kKx600Vhf},
                                           {"kx600-uhf", kKx600Uhf}}};
}  // namespace

std::optional<ModelType> parseSelectable(std::string_view text) {
  std::string lower;
  for (char c : text)
    lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const auto& entry : kNames) {
    if (entry.name == lower) return entry.type;
  }
  return std::nullopt;
}

std::string_view selectableName(ModelType type) {
  // The words follow the numbers in the table.
  for (std::size_t i = kNames.size() / 2; i < kNames.size(); ++i) {
    if (kNames[i].type == type) return kNames[i].name;
  }
  return {};
}

}  // namespace kx::model
