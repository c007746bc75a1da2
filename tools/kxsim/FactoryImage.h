#pragma once

#include <cstdint>

#include "model/MemoryMap.h"
#include "model/ModelType.h"

namespace kx::sim {

// The modem a radio reports in its identification record.
enum class ModemType : std::uint8_t { kNone = 0xA0, kGmsk = 0xA1, kFfsk = 0xA2 };

// The memory a radio of the model leaves the factory with: six programmed channels with CTCSS
// and DCS signalling, the first three scanning, and the modem option of the radio.
image::Image FactoryImage(ModelType type, ModemType modem);

}  // namespace kx::sim
