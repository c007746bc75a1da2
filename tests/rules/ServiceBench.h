#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "link/RadioProtocol.h"
#include "link/SerialLink.h"
#include "link/ServiceSession.h"
#include "model/KX200Doc.h"
#include "rules/CalibrationConsole.h"

namespace kx::test {

using Bytes = std::vector<std::uint8_t>;

// A radio in service mode behind a SerialLink, without a port or a clock: each command the
// host writes is answered at the host's next pause. By default it identifies itself as an FFSK
// radio on channel 5 with version 2.1 and answers every other command 0xA1.
class ServiceRadio : public SerialLink {
 public:
  Bytes identification{0xAA, 0x05, 0x21, protocol::modem_byte::kFfsk};
  // The answer to a command frame other than service entry and identification.
  std::function<Bytes(const Bytes& frame)> answer = [](const Bytes&) {
    return Bytes{protocol::answer::kAccepted};
  };
  bool openFails = false;

  // What the host did: the frames it wrote, and its line control in order ("DTR+", "DTR-",
  // "RTS-").
  std::vector<Bytes> frames;
  std::vector<std::string> lines;
  int pausedMs = 0;

  void Pause(int milliseconds) {
    pausedMs += milliseconds;
    queue_.insert(queue_.end(), pending_.begin(), pending_.end());
    pending_.clear();
  }

  bool Open(const std::string&, unsigned, std::uint16_t) override { return !openFails; }
  void Close() override {}
  std::size_t Write(const std::uint8_t* bytes, std::size_t count) override {
    const Bytes frame(bytes, bytes + count);
    frames.push_back(frame);
    Bytes reply;
    if (frame[0] == protocol::code::kIdentify) {
      reply = identification;
    } else if (frame[0] != protocol::code::kServiceEntry) {
      reply = answer(frame);
    }
    pending_.insert(pending_.end(), reply.begin(), reply.end());
    return count;
  }
  void SetDtr() override { lines.emplace_back("DTR+"); }
  void ClearDtr() override { lines.emplace_back("DTR-"); }
  void ClearRts() override { lines.emplace_back("RTS-"); }
  int Count() override { return static_cast<int>(queue_.size()); }
  bool Take(std::uint8_t& byte) override {
    if (queue_.empty()) return false;
    byte = queue_.front();
    queue_.pop_front();
    return true;
  }
  std::string LastError() const override { return "/dev/ttyS2: Permission denied"; }

 private:
  Bytes pending_;
  std::deque<std::uint8_t> queue_;
};

// The frame of a service command: code, argument, check byte.
inline Bytes FrameOf(std::uint8_t code, std::uint8_t argument) {
  const auto frame = protocol::Frame({code, argument});
  return {frame.begin(), frame.end()};
}

// A document, a scripted radio and a session over it, opened on the third port.
template <typename Console>
struct ServiceBench {
  ServiceRadio radio;
  ServiceSession session{radio, [this](int ms) { radio.Pause(ms); }};
  CKX200Doc doc;
  Console console{session, doc};

  ServiceOpening Open() { return console.Open(PortChoice{3, "/dev/ttyS2"}); }
};

}  // namespace kx::test
