#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "model/ByteOrder.h"
#include "model/ConfigFile.h"
#include "model/KX200Doc.h"
#include "support/Documents.h"

namespace kx::test {

// A .dat file of the model whose every 32-bit field but the model type holds value, as a
// damaged or hand-made file may: option indices, times, flags, signalling kinds and codes; the
// odd-numbered channels on 150 MHz.
inline std::array<std::uint8_t, config_file::kSize> DamagedConfigFile(ModelType type,
                                                                      std::int32_t value) {
  auto bytes = EncodeConfigFile(DocumentOf(type));
  // The radio-wide block is 32-bit fields from offset 4 but for three doubles; the model type
  // at 0 stays, and the doubles are left alone.
  constexpr std::array<std::size_t, 3> kDoubles{20, 28, 40};
  for (std::size_t at = 4; at < config_file::kRadioWideSize; at += 4) {
    const bool inDouble = std::any_of(kDoubles.begin(), kDoubles.end(),
                                      [at](std::size_t d) { return at == d || at == d + 4; });
    if (!inDouble) le::putI32(bytes, at, value);
  }
  le::putI32(bytes, config_file::kTailOffset + 3, value);  // externalModulation
  constexpr std::array<std::size_t, 9> kChannel{16, 20, 24, 28, 32, 52, 56, 60, 96};
  for (int i = 0; i < kChannelCount; ++i) {
    for (std::size_t at : kChannel)
      le::putI32(bytes, config_file::channelOffset(i) + at, value);
    // Every other channel programmed, so its step, kinds and codes are used too.
    if (i % 2 == 0) {
      le::putF64(bytes, config_file::channelOffset(i), 150);
      le::putF64(bytes, config_file::channelOffset(i) + 8, 150);
    }
  }
  return bytes;
}

inline CKX200Doc DamagedConfig(ModelType type, std::int32_t value) {
  CKX200Doc doc;
  DecodeConfigFile(doc, DamagedConfigFile(type, value));
  return doc;
}

// The same with every double (frequencies, tones, two-tone values, the reserved ones) holding
// value: a NaN, an infinity, a number beyond any field.
inline CKX200Doc DamagedDoubles(ModelType type, double value) {
  auto bytes = EncodeConfigFile(DocumentOf(type));
  for (std::size_t at : {20, 28, 40})
    le::putF64(bytes, at, value);
  for (int i = 0; i < kChannelCount; ++i) {
    for (std::size_t at : {0, 8, 36, 44, 64, 72, 80, 88})
      le::putF64(bytes, config_file::channelOffset(i) + at, value);
  }
  CKX200Doc doc;
  DecodeConfigFile(doc, bytes);
  return doc;
}

}  // namespace kx::test
