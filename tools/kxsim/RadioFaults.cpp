#include "RadioFaults.h"

#include <charconv>
#include <optional>

namespace kx::sim {

namespace {
constexpr int kLastBlock = 25;
constexpr int kMostRepeats = 1000;
constexpr int kMostZeros = 64;
constexpr int kLastAddress = 415;

std::optional<int> number(std::string_view text, int low, int high) {
  int value = 0;
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    base = 16;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (value < low || value > high) return std::nullopt;
  return value;
}
}  // namespace

const char* const kFaultHelp =
    "refuse, silent, garbage, double-aa, deny-tx, zeros[=N], nak-write=N[@BLOCK], "
    "bad-check=N[@BLOCK], stop-after=BLOCK, vanish=BLOCK (blocks 0..25), corrupt=ADDRESS (the "
    "byte at 0..0x19F is stored with its lowest bit flipped after every write)";

bool AddFault(std::string_view text, Faults& faults, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = "Unknown fault \"" + std::string(text) + "\": " + why;
    return false;
  };
  std::string_view name = text;
  std::string_view value;
  std::string_view block;
  if (const auto at = name.find('@'); at != std::string_view::npos) {
    block = name.substr(at + 1);
    name = name.substr(0, at);
    if (block.empty()) return fail("no block after @");
  }
  if (const auto eq = name.find('='); eq != std::string_view::npos) {
    value = name.substr(eq + 1);
    name = name.substr(0, eq);
    if (value.empty()) return fail("no value after =");
  }

  const bool plain = value.empty() && block.empty();
  if (name == "refuse" && plain) return faults.refuse = true;
  if (name == "silent" && plain) return faults.silent = true;
  if (name == "garbage" && plain) return faults.garbage = true;
  if (name == "double-aa" && plain) return faults.doubleAa = true;
  if (name == "deny-tx" && plain) return faults.denyTransmit = true;
  if (name == "zeros" && block.empty()) {
    const auto n = value.empty() ? std::optional<int>(1) : number(value, 1, kMostZeros);
    if (!n) return fail("give 1.." + std::to_string(kMostZeros) + " zero bytes");
    faults.zeroBytes = *n;
    return true;
  }
  if (name == "nak-write" || name == "bad-check") {
    const auto n = number(value, 1, kMostRepeats);
    if (!n) return fail("give a count of 1.." + std::to_string(kMostRepeats));
    std::optional<int> k = -1;
    if (!block.empty()) k = number(block, 0, kLastBlock);
    if (!k) return fail("blocks are 0..25");
    (name == "nak-write" ? faults.nakWrite : faults.badCheck) = *n;
    (name == "nak-write" ? faults.nakWriteBlock : faults.badCheckBlock) = *k;
    return true;
  }
  if ((name == "stop-after" || name == "vanish") && block.empty()) {
    const auto k = number(value, 0, kLastBlock);
    if (!k) return fail("blocks are 0..25");
    (name == "stop-after" ? faults.stopAfterBlock : faults.vanishAfterBlock) = *k;
    return true;
  }
  if (name == "corrupt" && block.empty()) {
    const auto at = number(value, 0, kLastAddress);
    if (!at) return fail("addresses are 0..0x19F");
    faults.corruptAddress = *at;
    return true;
  }
  return fail(std::string("known faults: ") + kFaultHelp);
}

}  // namespace kx::sim
