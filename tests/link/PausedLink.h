#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "RadioLink.h"
#include "VirtualRadio.h"
#include "link/CommPort.h"
#include "link/SerialLink.h"

namespace kx::test {

// The programmer's side of a virtual radio whose clock is the programmer's pauses
// (VirtualRadio::FollowPauses), for a transfer or a service session through the real serial
// port channel: a pause moves the radio's time on by its length and ends once every byte the
// radio had to send by then is in the port's receive queue. The protocol's timing is kept to
// the millisecond, and what the programmer finds after each pause never hangs on how the
// threads were scheduled. Pass Pause as the transfer's or session's pause.
class PausedLink : public SerialLink {
 public:
  PausedLink(CCommPort& port, sim::VirtualRadio& radio) : port_(port), radio_(radio) {
    radio_.FollowPauses();
  }

  void Pause(int milliseconds) {
    EXPECT_TRUE(radio_.Advance(std::chrono::milliseconds(milliseconds), written_, kPatience))
        << "the radio did not keep up with a pause of " << milliseconds << " ms";
    // The watch thread queues what the radio sent; a line the radio closed is found lost
    // within the pause, as it is on the clock, and queues nothing more.
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    const auto caughtUp = [this] {
      if (port_.LineLost() || !port_.IsOpen()) return true;
      return !radio_.State().vanished &&
             ReceivedSinceOpen() >= radio_.BytesSentCount() - sentAtOpen_;
    };
    while (!caughtUp()) {
      if (std::chrono::steady_clock::now() > deadline) {
        ADD_FAILURE() << "the port did not queue what the radio sent";
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  bool Open(const std::string& device, unsigned baud, std::uint16_t identifier) override {
    if (!port_.Open(device, baud, identifier)) return false;
    // Open dropped whatever was on the way; what the radio sends from here on is this
    // connection's.
    sentAtOpen_ = radio_.BytesSentCount();
    queuedAtOpen_ = taken_ + static_cast<std::uint64_t>(port_.m_QueueRead.Count());
    return true;
  }
  void Close() override { port_.Close(); }
  std::size_t Write(const std::uint8_t* bytes, std::size_t count) override {
    const std::size_t n = port_.Write(bytes, count);
    written_ += n;
    return n;
  }
  void SetDtr() override { port_.SetDtr(); }
  void ClearDtr() override { port_.ClearDtr(); }
  void ClearRts() override { port_.ClearRts(); }
  int Count() override { return port_.m_QueueRead.Count(); }
  bool Take(std::uint8_t& byte) override {
    if (!port_.m_QueueRead.Take(byte)) return false;
    ++taken_;
    return true;
  }
  std::string LastError() const override { return port_.LastError(); }
  bool LineLost() const override { return port_.LineLost(); }

 private:
  std::uint64_t ReceivedSinceOpen() {
    return taken_ + static_cast<std::uint64_t>(port_.m_QueueRead.Count()) - queuedAtOpen_;
  }

  CCommPort& port_;
  sim::VirtualRadio& radio_;
  std::uint64_t written_ = 0;
  std::uint64_t taken_ = 0;
  std::uint64_t sentAtOpen_ = 0;
  std::uint64_t queuedAtOpen_ = 0;
};

}  // namespace kx::test
