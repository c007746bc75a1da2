#pragma once

#include <cstdint>

#include "link/RadioProtocol.h"
#include "model/MemoryMap.h"
#include "model/ModelType.h"

namespace kx::sim {

// The modem a radio reports in its identification record.
enum class ModemType : std::uint8_t {
  kNone = protocol::modem_byte::kNone,
  kGmsk = protocol::modem_byte::kGmsk,
  kFfsk = protocol::modem_byte::kFfsk,
};

// The memory a radio of the model leaves the factory with: six programmed channels with CTCSS
// and DCS signalling, the first three scanning, and the modem option of the radio.
image::Image FactoryImage(ModelType type, ModemType modem);

}  // namespace kx::sim
