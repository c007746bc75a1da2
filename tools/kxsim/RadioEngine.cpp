#include "RadioEngine.h"

#include "link/RadioProtocol.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace kx::sim {

namespace {

namespace code = protocol::code;
namespace arg = protocol::argument;
using protocol::kBlockCount;
using protocol::kBlockDataOffset;
using protocol::kBlockHeader;
using protocol::kBlockSize;
using protocol::kWrittenTrailer;
using protocol::answer::kAccepted;
using protocol::answer::kNotAllowed;
using protocol::answer::kReady;
using protocol::answer::kRefused;
using protocol::answer::kRejected;
constexpr std::uint8_t kFrameStart = kBlockHeader[0];

std::string hex(std::uint8_t byte) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X", byte);
  return text;
}

std::string address(int block) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%03X", block * 16);
  return text;
}

std::string onOff(std::uint8_t argument) {
  return argument ? "on" : "off";
}

}  // namespace

RadioEngine::RadioEngine(const RadioSettings& settings)
    : memory(settings.memory ? *settings.memory : FactoryImage(settings.model, settings.modem)),
      faults(settings.faults),
      timing(settings.timing),
      version_(settings.version),
      modem_(settings.modem) {
  state.channel = std::clamp(settings.channel, 1, 16);
}

std::vector<RadioEngine::Reply> RadioEngine::TakeReplies() {
  return std::exchange(replies_, {});
}
std::vector<RadioEngine::Heard> RadioEngine::TakeHeard() {
  return std::exchange(heard_, {});
}
bool RadioEngine::TakeCompletedWrite() {
  return std::exchange(completedWrite_, false);
}

void RadioEngine::Hear(std::vector<std::uint8_t> bytes, std::string note) {
  FlushNoise();
  heard_.push_back({std::move(bytes), std::move(note)});
}

void RadioEngine::FlushNoise() {
  if (noise_.empty()) return;
  heard_.push_back({std::exchange(noise_, {}), "not understood"});
}

void RadioEngine::Answer(std::vector<std::uint8_t> bytes, std::string note) {
  AnswerAfter(timing.answerDelay, std::move(bytes), std::move(note));
}

void RadioEngine::AnswerAfter(std::chrono::milliseconds delay, std::vector<std::uint8_t> bytes,
                              std::string note) {
  if (faults.zeroBytes > 0) {
    bytes.insert(bytes.begin(), static_cast<std::size_t>(faults.zeroBytes), 0x00);
    note += " (after zero bytes)";
  }
  replies_.push_back({delay, std::move(bytes), std::move(note)});
}

void RadioEngine::Feed(const std::uint8_t* bytes, std::size_t count, Clock::time_point now) {
  if (count == 0) return;
  lastInput_ = now;
  if (faults.silent) {
    Hear({bytes, bytes + count}, "not answered (silent)");
    return;
  }
  for (std::size_t i = 0; i < count && !vanish_; ++i)
    FeedByte(bytes[i]);
  FlushNoise();
}

void RadioEngine::FeedByte(std::uint8_t byte) {
  switch (phase_) {
    case Phase::kReceivingImage:
      if (frame_.empty() && byte != kFrameStart) break;
      if (frame_.empty()) {
        noise_.insert(noise_.end(), window_.begin(), window_.end());
        window_.clear();
      }
      frame_.push_back(byte);
      if (frame_.size() == protocol::kWrittenFrameSize) WrittenBlock();
      return;
    case Phase::kSendingImage:
      if (answer_.empty() && byte != kAccepted && byte != kRejected) break;
      answer_.push_back(byte);
      if (answer_.size() == 2) BlockAnswer();
      return;
    default:
      break;
  }
  CommandByte(byte);
}

void RadioEngine::CommandByte(std::uint8_t byte) {
  window_.push_back(byte);
  if (window_.size() > 3) {
    noise_.push_back(window_.front());
    window_.erase(window_.begin());
  }
  if (window_.size() == 3 && static_cast<std::uint8_t>(window_[0] + window_[1]) == window_[2] &&
      Dispatch(window_[0], window_[1])) {
    window_.clear();
  }
}

void RadioEngine::Tick(Clock::time_point now) {
  if (!Deadline() || now < *Deadline()) return;
  if (!frame_.empty()) Hear(std::exchange(frame_, {}), "incomplete block frame dropped");
  if (!answer_.empty()) Hear(std::exchange(answer_, {}), "incomplete block answer dropped");
  noise_.insert(noise_.end(), window_.begin(), window_.end());
  window_.clear();
  FlushNoise();
}

std::optional<Clock::time_point> RadioEngine::Deadline() const {
  if (frame_.empty() && answer_.empty() && window_.empty()) return std::nullopt;
  return lastInput_ + timing.frameTimeout;
}

bool RadioEngine::Dispatch(std::uint8_t command, std::uint8_t argument) {
  const std::vector<std::uint8_t> frame{command, argument,
                                        static_cast<std::uint8_t>(command + argument)};
  if (phase_ == Phase::kDeaf && command != code::kWakeUp) {
    Hear(frame, "not answered (stopped)");
    return true;
  }
  if (faults.garbage) {
    Hear(frame, "command");
    std::vector<std::uint8_t> junk;
    while (junk.size() < 3) {
      garbageSeed_ ^= garbageSeed_ << 13;
      garbageSeed_ ^= garbageSeed_ >> 17;
      garbageSeed_ ^= garbageSeed_ << 5;
      const auto b = static_cast<std::uint8_t>(garbageSeed_);
      // Nothing the programmer could take for an answer.
      if (b == 0 || b == kRefused || b == kNotAllowed || b == kReady || b == kAccepted ||
          b == kRejected || b == kFrameStart)
        continue;
      junk.push_back(b);
    }
    Answer(std::move(junk), "garbage");
    return true;
  }
  switch (command) {
    case code::kWakeUp:
    case code::kEnd:
    case code::kWriteRequest:
    case code::kReadRequest:
      return ProgrammingCommand(command, argument);
    default:
      return ServiceCommand(command, argument);
  }
}

bool RadioEngine::ProgrammingCommand(std::uint8_t command, std::uint8_t argument) {
  const std::vector<std::uint8_t> frame{command, argument,
                                        static_cast<std::uint8_t>(command + argument)};
  const bool transferring = phase_ == Phase::kReceivingImage || phase_ == Phase::kSendingImage;
  switch (command) {
    case code::kWakeUp:
      if (argument != 0) return false;
      Hear(frame, transferring ? "wake-up (transfer abandoned)" : "wake-up");
      state.awake = true;
      state.serviceMode = false;
      phase_ = Phase::kCommands;
      frame_.clear();
      answer_.clear();
      return true;
    case code::kEnd:
      if (argument != 0) return false;
      Hear(frame, transferring ? "end of connection (transfer abandoned)" : "end of connection");
      state.awake = false;
      phase_ = Phase::kCommands;
      return true;
    case code::kWriteRequest:
    case code::kReadRequest: {
      const bool write = command == code::kWriteRequest;
      if (argument != (write ? arg::kWrite : arg::kRead)) return false;
      const std::string name = write ? "write request" : "read request";
      if (!state.awake) {
        Hear(frame, name + " not answered (no wake-up first)");
        return true;
      }
      Hear(frame, name);
      if (faults.refuse) {
        Answer({kRefused}, "refused");
        return true;
      }
      naksGiven_.fill(0);
      badChecksGiven_.fill(0);
      block_ = 0;
      std::vector<std::uint8_t> ready{kReady};
      if (faults.doubleAa) ready.push_back(kReady);
      ready.push_back(version_);
      Answer(std::move(ready), "ready, version " + std::to_string(version_ >> 4) + "." +
                                   std::to_string(version_ & 0x0F));
      if (write) {
        staged_ = memory;
        phase_ = Phase::kReceivingImage;
      } else {
        phase_ = Phase::kSendingImage;
        SendBlock(timing.firstBlockDelay);
      }
      return true;
    }
    default:
      return false;
  }
}

void RadioEngine::SendBlock(std::chrono::milliseconds delay) {
  const std::size_t at = BlockAddress();
  std::vector<std::uint8_t> frame(protocol::kReadFrameSize);
  std::copy(kBlockHeader.begin(), kBlockHeader.end(), frame.begin());
  frame[3] = static_cast<std::uint8_t>(at >> 8);
  frame[4] = static_cast<std::uint8_t>(at & 0xFF);
  std::copy_n(&memory[at], kBlockSize, frame.begin() + kBlockDataOffset);
  std::uint8_t check = protocol::BlockCheck(&memory[at]);
  std::string note = "block " + std::to_string(block_) + " at " + address(block_);
  const auto k = static_cast<std::size_t>(block_);
  if (faults.badCheck > 0 && (faults.badCheckBlock < 0 || faults.badCheckBlock == block_) &&
      badChecksGiven_[k] < faults.badCheck) {
    ++badChecksGiven_[k];
    check = static_cast<std::uint8_t>(check + 1);
    note += " with a wrong check byte";
  }
  frame[protocol::kBlockCheckOffset] = check;
  AnswerAfter(delay, std::move(frame), std::move(note));
}

void RadioEngine::BlockAnswer() {
  std::vector<std::uint8_t> answer = std::exchange(answer_, {});
  const std::uint8_t expected = protocol::BlockCheck(&memory[BlockAddress()]);
  if (answer[0] == kRejected) {
    Hear(answer, "block " + std::to_string(block_) + " rejected, sending it again");
    SendBlock(timing.answerDelay);
    return;
  }
  std::string note = "block " + std::to_string(block_) + " accepted";
  if (answer[1] != expected)
    note += " with check " + hex(answer[1]) + " (the block's is " + hex(expected) + ")";
  Hear(answer, note);
  if (block_ == kBlockCount - 1) {
    ++state.readsCompleted;
    phase_ = Phase::kCommands;
  }
  BlockDone();
  if (phase_ == Phase::kSendingImage) SendBlock(timing.answerDelay);
}

void RadioEngine::WrittenBlock() {
  std::vector<std::uint8_t> frame = std::exchange(frame_, {});
  const std::size_t at = BlockAddress();
  const std::uint8_t check = protocol::BlockCheck(&frame[kBlockDataOffset]);

  std::string fault;
  if (!std::equal(kBlockHeader.begin(), kBlockHeader.end(), frame.begin()))
    fault = "bad header";
  else if (frame[3] != static_cast<std::uint8_t>(at >> 8) ||
           frame[4] != static_cast<std::uint8_t>(at & 0xFF))
    fault = "address " + hex(frame[3]) + hex(frame[4]) + " where block " + std::to_string(block_) +
            " was due";
  else if (frame[protocol::kBlockCheckOffset] != check)
    fault =
        "check byte " + hex(frame[protocol::kBlockCheckOffset]) + ", the data's is " + hex(check);
  else if (!std::equal(kWrittenTrailer.begin(), kWrittenTrailer.end(),
                       frame.begin() + protocol::kReadFrameSize))
    fault = "bad trailer";

  const std::string name = "block " + std::to_string(block_) + " at " + address(block_);
  if (!fault.empty()) {
    Hear(std::move(frame), name + ": " + fault);
    Answer({kRejected}, "rejected");
    return;
  }
  const auto k = static_cast<std::size_t>(block_);
  if (faults.nakWrite > 0 && (faults.nakWriteBlock < 0 || faults.nakWriteBlock == block_) &&
      naksGiven_[k] < faults.nakWrite) {
    ++naksGiven_[k];
    Hear(std::move(frame), name);
    Answer({kRejected}, "rejected (fault)");
    return;
  }
  Hear(frame, name);
  std::copy_n(frame.begin() + kBlockDataOffset, kBlockSize,
              staged_.begin() + static_cast<std::ptrdiff_t>(at));
  Answer({kAccepted}, "accepted");
  if (block_ == kBlockCount - 1) {
    memory = staged_;
    if (faults.corruptAddress >= 0) memory[static_cast<std::size_t>(faults.corruptAddress)] ^= 0x01;
    ++state.writesCompleted;
    completedWrite_ = true;
    phase_ = Phase::kCommands;
  }
  BlockDone();
}

// After a block went across: the next one, unless a fault stops the radio here.
void RadioEngine::BlockDone() {
  const int done = block_;
  ++block_;
  if (faults.vanishAfterBlock == done) {
    vanish_ = true;
    phase_ = Phase::kDeaf;
  } else if (faults.stopAfterBlock == done) {
    phase_ = Phase::kDeaf;
  }
}

bool RadioEngine::ServiceCommand(std::uint8_t command, std::uint8_t argument) {
  const std::vector<std::uint8_t> frame{command, argument,
                                        static_cast<std::uint8_t>(command + argument)};
  std::string name;
  bool valid = true;
  // A command the radio knows; its argument is judged below.
  switch (command) {
    case code::kServiceEntry:
      name = "service entry";
      valid = argument == arg::kService;
      break;
    case code::kIdentify:
      name = "identification request";
      valid = argument == arg::kService;
      break;
    case code::kChannel:
      name = "change to channel " + std::to_string(argument + 1);
      valid = argument < 16;
      break;
    case code::kRtxMode:
      name = argument == arg::kTransmit ? "transmit mode" : "receive mode";
      valid = argument == arg::kReceive || argument == arg::kTransmit;
      break;
    case code::kScan:
      name = argument == arg::kScanStart    ? "scan start"
             : argument == arg::kScanDelete ? "scan delete"
                                            : "scan stop";
      valid =
          argument == arg::kScanStop || argument == arg::kScanStart || argument == arg::kScanDelete;
      break;
    case code::kGpsData:
      name = "GPS data " + std::to_string(argument);
      valid = argument <= 2;
      break;
    case code::kGpsPower:
      name = "GPS power " + onOff(argument);
      valid = argument <= 1;
      break;
    case code::kTestData:
      name = argument == arg::kTestDataOn ? "modem test data on" : "modem test data off";
      valid = argument == arg::kTestDataOn || argument == arg::kTestDataOff;
      break;
    case code::kMarkTone:
      name = "mark tone " + onOff(argument);
      valid = argument <= 1;
      break;
    case code::kSpaceTone:
      name = "space tone " + onOff(argument);
      valid = argument <= 1;
      break;
    case code::kGmskTransmit:
      name = "GMSK transmit " + onOff(argument);
      valid = argument <= 1;
      break;
    case code::kUpgradeTransmit:
      name = "firmware-upgrade transmit " + onOff(argument);
      valid = argument <= 1;
      break;
    case code::kSquelchOpen:
      name = "set squelch opening level";
      valid = argument == 1;
      break;
    case code::kSquelchClose:
      name = "set squelch closing level";
      valid = argument == 2;
      break;
    case code::kSquelchDefault:
      name = "restore default squelch";
      valid = argument == 3;
      break;
    case code::kSquelchSave:
      name = "save squelch";
      valid = argument == 4;
      break;
    default:
      return false;  // not a command: keep looking
  }

  if (faults.refuse && (command == code::kServiceEntry || command == code::kIdentify)) {
    Hear(frame, name);
    Answer({kRefused}, "refused");
    return true;
  }
  if (command == code::kServiceEntry && valid) {
    Hear(frame, name);
    state.serviceMode = true;
    return true;
  }
  if (!state.serviceMode) {
    Hear(frame, name + " not answered (no service entry first)");
    return true;
  }
  if (!valid) {
    Hear(frame, "invalid command " + hex(command) + " " + hex(argument));
    Answer({kRefused}, "invalid serial command");
    return true;
  }
  Hear(frame, name);

  const bool on = argument != 0;
  auto refuse = [&](const std::string& why) { Answer({kNotAllowed}, "not allowed: " + why); };
  switch (command) {
    case code::kIdentify:
      Answer({kReady, static_cast<std::uint8_t>(state.channel), version_,
              static_cast<std::uint8_t>(modem_)},
             "identification: channel " + std::to_string(state.channel));
      return true;
    case code::kChannel:
      state.channel = argument + 1;
      break;
    case code::kRtxMode:
      if (argument == arg::kTransmit && faults.denyTransmit) {
        refuse("transmit");
        return true;
      }
      state.transmitting = argument == arg::kTransmit;
      break;
    case code::kScan:
      state.scan = argument == arg::kScanStart    ? ScanMode::kStart
                   : argument == arg::kScanDelete ? ScanMode::kDelete
                                                  : ScanMode::kStop;
      break;
    case code::kGpsData:
      state.gpsData = static_cast<GpsData>(argument);
      break;
    case code::kGpsPower:
      state.gpsPower = on;
      break;
    case code::kTestData:
      if (argument == arg::kTestDataOn && modem_ == ModemType::kNone) {
        refuse("no modem");
        return true;
      }
      state.testData = argument == arg::kTestDataOn;
      break;
    case code::kMarkTone:
    case code::kSpaceTone:
      // The mark and space alignment tones are the FFSK modem's.
      if (on && modem_ != ModemType::kFfsk) {
        refuse("not an FFSK modem");
        return true;
      }
      (command == code::kMarkTone ? state.markTone : state.spaceTone) = on;
      break;
    case code::kGmskTransmit:
      if (on && modem_ != ModemType::kGmsk) {
        refuse("not a GMSK modem");
        return true;
      }
      state.gmskTransmit = on;
      break;
    case code::kUpgradeTransmit:
      state.upgradeTransmit = on;
      break;
    case code::kSquelchOpen:
      state.squelchOpenDbm = state.signalDbm;
      break;
    case code::kSquelchClose:
      state.squelchCloseDbm = state.signalDbm;
      break;
    case code::kSquelchDefault:
      state.squelchOpenDbm = state.savedOpenDbm = kPresetOpenDbm;
      state.squelchCloseDbm = state.savedCloseDbm = kPresetCloseDbm;
      break;
    case code::kSquelchSave:
      state.savedOpenDbm = state.squelchOpenDbm;
      state.savedCloseDbm = state.squelchCloseDbm;
      break;
    default:
      break;
  }
  Answer({kAccepted}, "done");
  return true;
}

}  // namespace kx::sim
