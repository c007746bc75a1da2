#pragma once

#include "model/KX200Doc.h"

namespace kx::test {

// A fresh configuration of a model, as choosing the model makes it.
inline CKX200Doc DocumentOf(ModelType type) {
  CKX200Doc doc;
  doc.ChooseModel(type);
  return doc;
}

}  // namespace kx::test
