#include "model/Outcome.h"

namespace kx {

std::string Outcome::text() const {
  std::string joined;
  for (const auto& message : messages) {
    if (!joined.empty()) joined += '\n';
    joined += message.text;
  }
  return joined;
}

}  // namespace kx
