#include "link/ImageTransfer.h"

#include <cstdio>
#include <span>
#include <vector>

#include "link/ImageBackup.h"
#include "link/RadioProtocol.h"
#include "model/FormatText.h"
#include "model/ImageCodec.h"
#include "model/KX200Doc.h"

namespace kx {

namespace {
using Result = TransferOutcome::Result;
using protocol::CommandFrame;

constexpr CommandFrame kWakeUp = protocol::Frame(protocol::command::kWakeUp);
constexpr CommandFrame kWriteRequest = protocol::Frame(protocol::command::kWriteRequest);
constexpr CommandFrame kReadRequest = protocol::Frame(protocol::command::kReadRequest);
constexpr CommandFrame kEnd = protocol::Frame(protocol::command::kEnd);

// Pauses of the protocol, in milliseconds. The radio answers a request, acknowledges a block
// and sends its next block within 100 ms; it needs 50 ms to latch a block before its check byte
// and a second to wake up.
constexpr int kSettleMs = protocol::pause_ms::kSettle;
constexpr int kWakeUpMs = protocol::pause_ms::kWakeUp;
constexpr int kAnswerMs = protocol::pause_ms::kAnswer;
constexpr int kLatchMs = protocol::pause_ms::kLatch;

constexpr int kMaxBlockSendings = 4;   // a written block is sent at most four times
constexpr int kMaxReadRejections = 4;  // a read block is asked for again at most four times
constexpr std::size_t kReplyBufferSize = 16;
constexpr std::size_t kFrameBufferSize = 24;
constexpr std::uint8_t kVersionOneOne = 0x11;
constexpr std::uint8_t kReg10ForVersionOneOne = 3;
constexpr std::uint8_t kReg10Otherwise = 2;

// Byte 0x010 as a write sets it: 3 for firmware 1.1, else 2.
std::uint8_t Reg10ForVersion(std::uint8_t version) {
  return version == kVersionOneOne ? kReg10ForVersionOneOne : kReg10Otherwise;
}

// The version byte of a ready answer at reply[ready]: the byte after it, skipping a doubled
// 0xAA. A reply cut short after its 0xAA reads as version 0.0.
std::uint8_t versionByte(const std::vector<std::uint8_t>& reply, std::size_t ready) {
  std::size_t at = ready + 1;
  if (at < reply.size() && reply[at] == protocol::answer::kReady) ++at;
  return at < reply.size() ? reply[at] : 0;
}
}  // namespace

// One connection: the port, the events and what has happened so far.
class ImageTransfer::Session {
 public:
  Session(ImageTransfer& owner, const TransferEvents& events) : owner_(owner), events_(events) {}

  TransferOutcome outcome;

  void status(const std::string& text) {
    outcome.status = text;
    if (events_.status) events_.status(text);
  }
  void progress(int position) {
    if (events_.progress) events_.progress(position);
  }
  void version(const std::string& text) {
    if (events_.version) events_.version(text);
  }
  void pllIc(int index) {
    if (events_.pllIc) events_.pllIc(index);
  }

  void send(std::span<const std::uint8_t> bytes) {
    owner_.link_.Write(bytes.data(), bytes.size());
    if (events_.traffic) events_.traffic(true, bytes.data(), bytes.size());
  }

  // Takes everything queued; keeps the first `keep` bytes, the rest is taken and dropped.
  std::vector<std::uint8_t> drain(std::size_t keep) {
    const int count = owner_.link_.Count();
    std::vector<std::uint8_t> all;
    all.reserve(static_cast<std::size_t>(count));
    std::uint8_t byte = 0;
    for (int i = 0; i < count && owner_.link_.Take(byte); ++i)
      all.push_back(byte);
    if (events_.traffic && !all.empty()) events_.traffic(false, all.data(), all.size());
    if (all.size() > keep) all.resize(keep);
    return all;
  }

  // A pause between two frames, where a stop takes effect: false when one was asked for (the
  // connection has then been ended and closed).
  bool pause(int milliseconds) {
    hold(milliseconds);
    return !stopIfAsked();
  }

  // A pause inside an exchange: a stop waits for its end. A block cut short would take the
  // end-of-connection frame for its check byte, and the radio would never hear the end.
  void hold(int milliseconds) { owner_.pause_(milliseconds); }

  // Ends the connection when a stop was asked for; true then.
  bool stopIfAsked() {
    if (!owner_.stopRequested_) return false;
    send(kEnd);
    owner_.link_.Close();
    status(transfer_status::kStopped);
    outcome.result = Result::kStopped;
    return true;
  }

  // Ends a failed connection without a word to the radio.
  void fail(const char* text, Result result) {
    status(text);
    outcome.result = result;
    owner_.link_.Close();
  }

  void endConnection() {
    send(kEnd);
    owner_.link_.Close();
  }

  // Opens the port and wakes the radio; false (the port closed again) when it could not.
  bool connect(const PortChoice& port) {
    const auto identifier = static_cast<std::uint16_t>(port.number > 0 ? port.number - 1 : 0);
    if (!owner_.link_.Open(port.device, protocol::kBaudRate, identifier)) {
      outcome.portError = owner_.link_.LastError();
      status(FailToOpenText(port));
      outcome.result = Result::kPortFailed;
      owner_.link_.Close();
      return false;
    }
    if (!pause(kSettleMs)) return false;
    send(kWakeUp);
    // DTR stays low for the rest of the connection; RTS stays up.
    owner_.link_.ClearDtr();
    if (!pause(kWakeUpMs)) return false;
    drain(0);
    return true;
  }

  enum class Handshake { kReady, kNotUnderstood, kOver };

  // Connects, sends a request and judges the reply: the first 0x55 or 0xAA in it wins. On
  // kReady, version holds the firmware version byte; on kOver the connection has ended.
  Handshake handshake(const PortChoice& port, const CommandFrame& request, const char* busyText,
                      const char* refusedText, std::uint8_t& version) {
    if (!connect(port)) return Handshake::kOver;
    status(busyText);
    send(request);
    if (!pause(kAnswerMs)) return Handshake::kOver;
    const auto reply = drain(kReplyBufferSize);
    if (reply.empty()) {
      fail(transfer_status::kNoAnswer, Result::kNoAnswer);
      return Handshake::kOver;
    }
    for (std::size_t i = 0; i < reply.size(); ++i) {
      if (reply[i] == protocol::answer::kRefused) {
        fail(refusedText, Result::kRefused);
        return Handshake::kOver;
      }
      if (reply[i] == protocol::answer::kReady) {
        version = versionByte(reply, i);
        return Handshake::kReady;
      }
    }
    outcome.result = Result::kNotUnderstood;
    return Handshake::kNotUnderstood;
  }

  void keepBackup(const image::Image& img, std::string_view kind) {
    if (owner_.backupFolder_.empty()) return;
    std::string error;
    if (auto path = SaveBackup(owner_.backupFolder_, img, kind, &error)) {
      outcome.backupPath = *path;
    } else {
      outcome.backupError = owner_.backupFolder_ + ": " + error;
    }
  }

 private:
  ImageTransfer& owner_;
  const TransferEvents& events_;
};

std::string FailToOpenText(const PortChoice& port) {
  if ((port.namedByPath || port.number <= 0) && !port.device.empty())
    return transfer_status::kFailToOpenDevice + port.device;
  return FormatText(transfer_status::kFailToOpen, port.number);
}

std::string TransferOutcome::BackupText() const {
  if (!backupPath.empty()) return "Radio memory kept in " + backupPath;
  if (!backupError.empty()) return "No backup of the radio memory could be kept: " + backupError;
  return {};
}

ImageTransfer::ImageTransfer(SerialLink& link, RadioMemory& memory, PauseFunction pause)
    : link_(link), memory_(memory), pause_(std::move(pause)), backupFolder_(BackupFolder()) {}

ImageTransfer::ImageTransfer(CCommPort& port, RadioMemory& memory, PauseFunction pause)
    : ownedLink_(std::make_unique<CommPortLink>(port)),
      link_(*ownedLink_),
      memory_(memory),
      pause_(std::move(pause)),
      backupFolder_(BackupFolder()) {}

ImageTransfer::~ImageTransfer() = default;

namespace {

enum class Ack { kAccepted, kRejected, kFailed };

// The radio's answer to a block is part of the block's exchange: it is waited for and judged
// even when a stop has been asked for meanwhile.
template <typename Session>
Ack waitBlockAck(Session& s) {
  s.hold(kAnswerMs);
  const auto answer = s.drain(1);
  if (answer.empty()) return Ack::kFailed;
  if (answer[0] == protocol::answer::kAccepted) return Ack::kAccepted;
  if (answer[0] == protocol::answer::kRejected) return Ack::kRejected;
  return Ack::kFailed;
}

// Sends the 26 blocks of the working image, each up to four times. False on failure or stop;
// a stop comes between blocks, once the radio has answered the last one sent.
template <typename Session>
bool sendImage(Session& s, const image::Image& img) {
  for (int block = 0; block < protocol::kBlockCount; ++block) {
    const int address = static_cast<int>(protocol::BlockAddress(block));
    const bool last = block + 1 == protocol::kBlockCount;
    for (int sendings = 1;; ++sendings) {
      const protocol::BlockFrame frame = protocol::MakeBlockFrame(img.data(), block);
      if (last) {
        for (int p = address; p < address + 16; ++p)
          s.progress(p);
      }
      const std::span<const std::uint8_t> bytes(frame);
      s.send(bytes.first(protocol::kBlockDataOffset));
      s.send(bytes.subspan(protocol::kBlockDataOffset, protocol::kBlockSize));
      s.hold(kLatchMs);
      s.send(bytes.subspan(protocol::kBlockCheckOffset, 1));
      s.send(protocol::kWrittenTrailer);

      const Ack ack = waitBlockAck(s);
      if (ack == Ack::kFailed || (ack == Ack::kRejected && sendings == kMaxBlockSendings)) {
        s.fail(transfer_status::kWriteFail, Result::kBlockFailed);
        return false;
      }
      // The radio holds the whole image once the last block is in: nothing left to stop.
      if (!(ack == Ack::kAccepted && last) && s.stopIfAsked()) return false;
      if (ack == Ack::kAccepted) break;
    }
    if (!last) {
      for (int p = address; p < address + 16; ++p)
        s.progress(p);
    }
  }
  return true;
}

// Receives the 26 blocks into the received image, asking for a bad block again up to four
// times. False on failure or stop.
template <typename Session>
bool receiveImage(Session& s, image::Image& received) {
  for (int block = 0; block < protocol::kBlockCount; ++block) {
    const std::size_t address = protocol::BlockAddress(block);
    const std::uint8_t high = static_cast<std::uint8_t>(address >> 8);
    const std::uint8_t low = static_cast<std::uint8_t>(address & 0xFF);
    for (int rejections = 0;; ++rejections) {
      if (!s.pause(kAnswerMs)) return false;
      const auto frame = s.drain(kFrameBufferSize);
      if (frame.empty() || frame[0] != protocol::kBlockHeader[0]) {
        s.fail(transfer_status::kReadFail, Result::kBlockFailed);
        return false;
      }
      // A byte that did not arrive matches nothing.
      const auto byteAt = [&frame](std::size_t i) -> int {
        return i < frame.size() ? frame[i] : -1;
      };
      const bool headerOk = byteAt(1) == protocol::kBlockHeader[1] &&
                            byteAt(2) == protocol::kBlockHeader[2] && byteAt(3) == high &&
                            byteAt(4) == low;
      std::array<std::uint8_t, protocol::kBlockSize> data{};
      for (std::size_t i = 0; i < protocol::kBlockSize; ++i) {
        const int b = byteAt(protocol::kBlockDataOffset + i);
        data[i] = b < 0 ? 0 : static_cast<std::uint8_t>(b);
        if (headerOk && b >= 0) {
          received[address + i] = data[i];
          s.progress(static_cast<int>(address + i));
        }
      }
      if (block == 0) s.pllIc(received[image::kPllIc.address] & image::kPllIc.mask() ? 0 : 1);

      const std::uint8_t check = protocol::BlockCheck(data.data());
      // A block whose address is wrong was not stored, so it is asked for again too.
      const bool good = headerOk && byteAt(protocol::kBlockCheckOffset) == check;
      const std::array<std::uint8_t, 2> answer{
          good ? protocol::answer::kAccepted : protocol::answer::kRejected, check};
      s.send(answer);
      if (good) break;
      if (rejections == kMaxReadRejections) {
        s.fail(transfer_status::kReadFail, Result::kBlockFailed);
        return false;
      }
    }
  }
  return true;
}

// Reads the whole memory into stored for a verification: status "Verifying.....!", no backup
// (the write kept one of the same image), nothing decoded. False when the outcome is settled
// (the connection is then over).
template <typename Session>
bool readForVerify(Session& s, const PortChoice& port, image::Image& stored,
                   std::uint8_t& version) {
  const auto handshake = s.handshake(port, kReadRequest, transfer_status::kVerifying,
                                     transfer_status::kReadRefused, version);
  if (handshake == Session::Handshake::kOver) return false;
  if (handshake == Session::Handshake::kNotUnderstood) {
    s.endConnection();
    return false;
  }
  const bool received = receiveImage(s, stored);
  s.progress(0);
  if (!received) return false;
  s.endConnection();
  return true;
}

template <typename Session>
void judge(Session& s, const image::Image& sent, const image::Image& stored) {
  auto differences = CompareImages(sent, stored);
  if (differences.empty()) {
    s.outcome.result = Result::kDone;
    return;
  }
  s.status(VerifyFailureText(differences));
  s.outcome.result = Result::kVerifyFailed;
  s.outcome.differences = std::move(differences);
}

}  // namespace

TransferOutcome ImageTransfer::OnWriteAndVerify(CKX200Doc& doc, const PortChoice& port,
                                                const TransferEvents& events) {
  const TransferOutcome written = OnWrite(doc, port, events);
  if (!written.ok()) return written;
  Session s(*this, events);
  s.outcome.backupPath = written.backupPath;
  s.outcome.backupError = written.backupError;
  image::Image stored{};
  std::uint8_t version = 0;
  if (readForVerify(s, port, stored, version)) judge(s, memory_.working, stored);
  return s.outcome;
}

TransferOutcome ImageTransfer::OnVerify(const image::Image& expected, const PortChoice& port,
                                        const TransferEvents& events, image::Image* stored) {
  stopRequested_ = false;
  Session s(*this, events);
  image::Image held{};
  std::uint8_t version = 0;
  if (!readForVerify(s, port, held, version)) return s.outcome;
  image::Image sent = expected;
  sent[image::kReg10] = Reg10ForVersion(version);
  judge(s, sent, held);
  if (stored) *stored = held;
  return s.outcome;
}

TransferOutcome ImageTransfer::OnWrite(CKX200Doc& doc, const PortChoice& port,
                                       const TransferEvents& events) {
  stopRequested_ = false;
  Session s(*this, events);
  EncodeImage(doc, memory_);
  memory_.applyPendingEdits();

  std::uint8_t version = 0;
  const auto handshake = s.handshake(port, kWriteRequest, transfer_status::kWriting,
                                     transfer_status::kWriteRefused, version);
  if (handshake == Session::Handshake::kOver) return s.outcome;
  if (handshake == Session::Handshake::kReady) {
    const auto v = protocol::VersionOf(version);
    s.version(FormatText("%d . %d", v.major, v.minor));
    memory_.working[image::kReg10] = Reg10ForVersion(version);
    s.keepBackup(memory_.working, "write");
    const bool sent = sendImage(s, memory_.working);
    s.progress(0);
    if (!sent) return s.outcome;
    s.outcome.result = Result::kDone;
  }
  s.endConnection();
  return s.outcome;
}

TransferOutcome ImageTransfer::OnRead(CKX200Doc& doc, const PortChoice& port,
                                      const TransferEvents& events) {
  stopRequested_ = false;
  memory_.clearPendingEdits();
  Session s(*this, events);

  std::uint8_t version = 0;
  const auto handshake = s.handshake(port, kReadRequest, transfer_status::kReading,
                                     transfer_status::kReadRefused, version);
  if (handshake == Session::Handshake::kOver) return s.outcome;
  if (handshake == Session::Handshake::kReady) {
    const auto v = protocol::VersionOf(version);
    s.version(FormatText("%d.%d", v.major, v.minor));
    const bool received = receiveImage(s, memory_.received);
    s.progress(0);
    if (!received) return s.outcome;
    memory_.working = memory_.received;
    s.keepBackup(memory_.working, "read");
    const Outcome decoded = DecodeImage(doc, memory_.working);
    if (decoded.ok) {
      s.outcome.result = Result::kDone;
    } else {
      s.status(decoded.text());
      s.outcome.result = Result::kNotDecoded;
    }
  }
  s.endConnection();
  return s.outcome;
}

void ImageTransfer::EndConnection(const PortChoice& port) {
  const auto identifier = static_cast<std::uint16_t>(port.number > 0 ? port.number - 1 : 0);
  if (!link_.Open(port.device, protocol::kBaudRate, identifier)) {
    link_.Close();
    return;
  }
  pause_(kSettleMs);
  link_.Write(kEnd.data(), kEnd.size());
  link_.Close();
}

}  // namespace kx
