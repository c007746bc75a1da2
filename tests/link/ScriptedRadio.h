#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/RadioProtocol.h"
#include "link/SerialLink.h"
#include "model/MemoryMap.h"

namespace kx::test {

constexpr protocol::CommandFrame kWakeUpFrame = protocol::Frame(protocol::command::kWakeUp);
constexpr protocol::CommandFrame kWriteRequestFrame =
    protocol::Frame(protocol::command::kWriteRequest);
constexpr protocol::CommandFrame kReadRequestFrame =
    protocol::Frame(protocol::command::kReadRequest);
constexpr protocol::CommandFrame kEndFrame = protocol::Frame(protocol::command::kEnd);

// A radio behind a SerialLink that answers at the host's pauses, without a port or a clock:
// whatever the host wrote since its last pause is read, and the answer is queued for the host
// to drain after the pause. Its answers can be scripted block by block.
class ScriptedRadio : public SerialLink {
 public:
  image::Image memory{};
  std::vector<std::uint8_t> requestReply{protocol::answer::kReady, 0x12};
  // The answer to a written block at its n-th sending (0-based); nothing: stay silent.
  std::function<std::optional<std::vector<std::uint8_t>>(std::size_t block, int sending)> writeAck =
      [](std::size_t, int) {
        return std::optional<std::vector<std::uint8_t>>{{protocol::answer::kAccepted}};
      };
  // The frame sent for a block at its n-th sending; by default the right one.
  std::function<std::vector<std::uint8_t>(std::size_t block, int sending)> readFrame =
      [this](std::size_t block, int) {
        const auto frame = protocol::MakeBlockFrame(memory.data(), static_cast<int>(block));
        return std::vector<std::uint8_t>(frame.begin(), frame.end());
      };
  bool openFails = false;

  // What the host did.
  std::vector<std::uint8_t> hostBytes;
  std::vector<std::vector<std::uint8_t>> writtenFrames;  // each 24-byte block frame as sent
  std::vector<std::vector<std::uint8_t>> hostAnswers;    // each A1/58 + check pair
  int opens = 0, closes = 0, dtrClears = 0, dtrSets = 0, rtsClears = 0, pauses = 0;
  bool open = false;
  bool endOfConnectionSeen = false;

  // The host's pause: the radio catches up with what it was sent.
  void onPause() {
    ++pauses;
    consume();
    if (justRequested_) {  // the first block follows at the next pause
      justRequested_ = false;
      return;
    }
    if (sendingBlocks_ && !frameOut_ && static_cast<int>(block_) < protocol::kBlockCount) {
      const auto frame = readFrame(block_, sending_);
      queue_.insert(queue_.end(), frame.begin(), frame.end());
      frameOut_ = true;
    }
  }

  bool Open(const std::string&, unsigned, std::uint16_t) override {
    ++opens;
    open = !openFails;
    return open;
  }
  void Close() override {
    consume();  // what was written before the port closed still reaches the radio
    ++closes;
    open = false;
  }
  std::size_t Write(const std::uint8_t* bytes, std::size_t count) override {
    hostBytes.insert(hostBytes.end(), bytes, bytes + count);
    pending_.insert(pending_.end(), bytes, bytes + count);
    return count;
  }
  void SetDtr() override { ++dtrSets; }
  void ClearDtr() override { ++dtrClears; }
  void ClearRts() override { ++rtsClears; }
  int Count() override { return static_cast<int>(queue_.size()); }
  bool Take(std::uint8_t& byte) override {
    if (queue_.empty()) return false;
    byte = queue_.front();
    queue_.erase(queue_.begin());
    return true;
  }
  std::string LastError() const override { return openFails ? "Permission denied" : ""; }

 private:
  bool startsWith(const protocol::CommandFrame& frame) const {
    return pending_.size() >= 3 && std::equal(frame.begin(), frame.end(), pending_.begin());
  }

  void consume() {
    while (!pending_.empty()) {
      if (startsWith(kWakeUpFrame)) {
        pending_.erase(pending_.begin(), pending_.begin() + 3);
      } else if (startsWith(kWriteRequestFrame) || startsWith(kReadRequestFrame)) {
        sendingBlocks_ = startsWith(kReadRequestFrame) && !requestReply.empty() &&
                         requestReply.front() != protocol::answer::kRefused;
        block_ = 0;
        sending_ = 0;
        frameOut_ = false;
        justRequested_ = true;
        pending_.erase(pending_.begin(), pending_.begin() + 3);
        queue_.insert(queue_.end(), requestReply.begin(), requestReply.end());
        return;
      } else if (startsWith(kEndFrame)) {
        endOfConnectionSeen = true;
        sendingBlocks_ = false;
        pending_.erase(pending_.begin(), pending_.begin() + 3);
      } else if (pending_[0] == 0xFF) {
        if (pending_.size() < 24) return;  // the check byte is still to come
        receiveBlock();
      } else if (pending_[0] == protocol::answer::kAccepted ||
                 pending_[0] == protocol::answer::kRejected) {
        if (pending_.size() < 2) return;
        hostAnswers.emplace_back(pending_.begin(), pending_.begin() + 2);
        if (pending_[0] == protocol::answer::kAccepted) {
          ++block_;
          sending_ = 0;
        } else {
          ++sending_;
        }
        frameOut_ = false;
        pending_.erase(pending_.begin(), pending_.begin() + 2);
      } else {
        pending_.erase(pending_.begin());
      }
    }
  }

  void receiveBlock() {
    std::vector<std::uint8_t> frame(pending_.begin(), pending_.begin() + 24);
    pending_.erase(pending_.begin(), pending_.begin() + 24);
    writtenFrames.push_back(frame);
    const std::size_t address = std::size_t{frame[3]} << 8 | frame[4];
    const std::size_t block = address / protocol::kBlockSize;
    if (block != lastWrittenBlock_) writeSending_ = 0;
    lastWrittenBlock_ = block;
    const auto ack = writeAck(block, writeSending_++);
    if (!ack) return;
    if (!ack->empty() && ack->front() == protocol::answer::kAccepted &&
        address + 16 <= image::kSize)
      std::copy(frame.begin() + 5, frame.begin() + 21, memory.begin() + static_cast<long>(address));
    queue_.insert(queue_.end(), ack->begin(), ack->end());
  }

  std::vector<std::uint8_t> pending_;
  std::vector<std::uint8_t> queue_;
  bool sendingBlocks_ = false;
  bool frameOut_ = false;
  bool justRequested_ = false;
  std::size_t block_ = 0;
  int sending_ = 0;
  std::size_t lastWrittenBlock_ = 999;
  int writeSending_ = 0;
};

}  // namespace kx::test
