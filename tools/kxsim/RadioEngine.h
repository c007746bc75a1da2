#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "VirtualRadio.h"
#include "link/RadioProtocol.h"

namespace kx::sim {

// The radio's side of the programming protocol and the service commands, without any I/O: bytes
// go in as they arrive, answers come out with the delay after which they go on the wire. The
// caller serialises every call.
class RadioEngine {
 public:
  struct Reply {
    std::chrono::milliseconds delay;
    std::vector<std::uint8_t> bytes;
    std::string note;
  };
  struct Heard {
    std::vector<std::uint8_t> bytes;
    std::string note;
  };

  explicit RadioEngine(const RadioSettings& settings);

  void Feed(const std::uint8_t* bytes, std::size_t count, Clock::time_point now);
  // Drops a frame that stopped arriving half-way.
  void Tick(Clock::time_point now);
  // When Tick has something to do.
  std::optional<Clock::time_point> Deadline() const;

  std::vector<Reply> TakeReplies();
  std::vector<Heard> TakeHeard();
  // True once after every completed write.
  bool TakeCompletedWrite();
  bool VanishRequested() const { return vanish_; }

  image::Image memory;
  RadioState state;
  Faults faults;
  RadioTiming timing;

 private:
  enum class Phase {
    kCommands,        // waiting for a command frame
    kReceivingImage,  // a write: waiting for block block_
    kSendingImage,    // a read: block block_ sent, waiting for its answer
    kDeaf,            // stopped by a fault: only a wake-up is heard
  };

  void FeedByte(std::uint8_t byte);
  void CommandByte(std::uint8_t byte);
  bool Dispatch(std::uint8_t code, std::uint8_t argument);
  bool ProgrammingCommand(std::uint8_t code, std::uint8_t argument);
  bool ServiceCommand(std::uint8_t code, std::uint8_t argument);
  void WrittenBlock();
  void BlockAnswer();
  void SendBlock(std::chrono::milliseconds delay);
  void BlockDone();

  void Hear(std::vector<std::uint8_t> bytes, std::string note);
  void FlushNoise();
  void Answer(std::vector<std::uint8_t> bytes, std::string note);
  void AnswerAfter(std::chrono::milliseconds delay, std::vector<std::uint8_t> bytes,
                   std::string note);
  // Where block block_ starts in the memory.
  std::size_t BlockAddress() const {
    return static_cast<std::size_t>(block_) * protocol::kBlockSize;
  }

  std::uint8_t version_;
  ModemType modem_;
  Phase phase_ = Phase::kCommands;
  int block_ = 0;
  image::Image staged_{};
  std::array<int, protocol::kBlockCount> naksGiven_{};
  std::array<int, protocol::kBlockCount> badChecksGiven_{};
  std::vector<std::uint8_t> window_;  // the last bytes, up to a command frame
  std::vector<std::uint8_t> frame_;   // a written block as it arrives
  std::vector<std::uint8_t> answer_;  // the programmer's answer to a block sent
  std::vector<std::uint8_t> noise_;   // bytes that made no sense
  Clock::time_point lastInput_{};
  std::vector<Reply> replies_;
  std::vector<Heard> heard_;
  bool completedWrite_ = false;
  bool vanish_ = false;
  std::uint32_t garbageSeed_ = 0x2545F491u;
};

}  // namespace kx::sim
