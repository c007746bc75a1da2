#include "model/ModelType.h"

#include <cctype>
#include <string>

#include "model/ModelTraits.h"

namespace kx::model {

const std::vector<ModelType>& selectableTypes() {
  static const std::vector<ModelType> types = [] {
    std::vector<ModelType> found;
    for (const ModelType type : kAllTypes) {
      if (Traits(type).selectable) found.push_back(type);
    }
    return found;
  }();
  return types;
}

std::optional<ModelType> parseSelectable(std::string_view text) {
  std::string lower;
  for (char c : text)
    lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const ModelType type : selectableTypes()) {
    if (lower == std::to_string(type) || lower == Traits(type).name) return type;
  }
  return std::nullopt;
}

std::string_view selectableName(ModelType type) {
  return isValid(type) && Traits(type).selectable ? Traits(type).name : std::string_view{};
}

std::string selectableNames(std::string_view separator, std::string_view last) {
  const std::vector<ModelType>& types = selectableTypes();
  std::string text;
  for (std::size_t i = 0; i < types.size(); ++i) {
    if (i > 0) text += i + 1 == types.size() ? last : separator;
    text += Traits(types[i]).name;
  }
  return text;
}

std::string selectableNumbers() {
  const std::vector<ModelType>& types = selectableTypes();
  return std::to_string(types.front()) + ".." + std::to_string(types.back());
}

}  // namespace kx::model
