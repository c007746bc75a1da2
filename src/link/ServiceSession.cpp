#include "link/ServiceSession.h"

#include <array>
#include <utility>

#include "model/FormatText.h"

namespace kx {

namespace {
using protocol::Command;
using protocol::Frame;
namespace code = protocol::code;
namespace argument = protocol::argument;

// Pauses of the service protocol, in milliseconds. The radio needs 100 ms after the lines
// drop, 400 ms to enter service mode and to identify itself, and answers a command within 40 ms.
constexpr int kLinesSettleMs = 100;
constexpr int kStartUpMs = 400;
constexpr int kCommandMs = 40;
// Between the attempts of a command that is repeated until the radio answers.
constexpr int kRetryMs = 100;

// An identification record: AA, channel, version, modem.
constexpr std::size_t kRecordSize = 4;

// Received bytes go to the trace in pieces of this size, so a long reply needs no second buffer.
constexpr std::size_t kTraceChunk = 256;

constexpr Command kScanStop{code::kScan, argument::kScanStop};
constexpr Command kScanStart{code::kScan, argument::kScanStart};
constexpr Command kScanDelete{code::kScan, argument::kScanDelete};
constexpr Command kTestDataOn{code::kTestData, argument::kTestDataOn};
constexpr Command kTestDataOff{code::kTestData, argument::kTestDataOff};

constexpr Command Switch(std::uint8_t commandCode, bool on) {
  return {commandCode, static_cast<std::uint8_t>(on ? 1 : 0)};
}
}  // namespace

std::string RadioIdentity::VersionText() const {
  const auto v = protocol::VersionOf(version);
  return FormatText("%d.%d", v.major, v.minor);
}

std::optional<std::string> VerdictText(ReplyVerdict verdict) {
  switch (verdict) {
    case ReplyVerdict::kInvalidTransfer:
      return std::string(service_text::kInvalidTransfer);
    case ReplyVerdict::kNotAllowed:
      return std::string(service_text::kNotAllowed);
    case ReplyVerdict::kNone:
      break;
  }
  return std::nullopt;
}

ServiceSession::ServiceSession(SerialLink& link, PauseFunction pause)
    : link_(link), pause_(std::move(pause)) {}

ServiceSession::ServiceSession(CCommPort& port, PauseFunction pause)
    : ownedLink_(std::make_unique<CommPortLink>(port)),
      link_(*ownedLink_),
      pause_(std::move(pause)) {}

ServiceSession::~ServiceSession() {
  Close();
}

ServiceStart ServiceSession::Start(const PortChoice& port) {
  ServiceStart start;
  Close();
  const auto identifier = static_cast<std::uint16_t>(port.number > 0 ? port.number - 1 : 0);
  if (!link_.Open(port.device, protocol::kBaudRate, identifier)) {
    start.result = ServiceStart::Result::kPortFailed;
    start.portError = link_.LastError();
    start.status = FailToOpenText(port);
    link_.Close();
    return start;
  }
  open_ = true;

  link_.ClearRts();
  link_.ClearDtr();
  pause_(kLinesSettleMs);
  send(Frame(protocol::command::kServiceEntry));
  pause_(kStartUpMs);
  send(Frame(protocol::command::kIdentify));
  pause_(kStartUpMs);

  // Every position counts, the bytes of a record included: a version byte of 0x55 is a refusal
  // as much as a lone one, and a refusal does not hide a record that follows it.
  const auto reply = CollectReply();
  bool refused = false;
  for (std::size_t i = 0; i < reply.size(); ++i) {
    if (reply[i] == protocol::answer::kRefused) refused = true;
    if (reply[i] == protocol::answer::kReady && reply.size() - i >= kRecordSize) {
      RadioIdentity identity;
      identity.channel = reply[i + 1];
      identity.version = reply[i + 2];
      identity.modem = reply[i + 3];
      start.identity = identity;
    }
  }

  link_.ClearRts();
  if (refused) {
    start.result = ServiceStart::Result::kRefused;
    start.status = service_text::kError;
    Close();
  } else {
    start.result = ServiceStart::Result::kReady;
  }
  return start;
}

void ServiceSession::Close() {
  if (!open_) return;
  link_.Close();
  open_ = false;
}

void ServiceSession::report(const std::uint8_t* bytes, std::size_t count) {
  if (traffic && count > 0) traffic(false, bytes, count);
}

std::vector<std::uint8_t> ServiceSession::CollectReply() {
  std::vector<std::uint8_t> reply;
  const int queued = link_.Count();
  if (queued <= 0) return reply;
  const auto count = static_cast<std::size_t>(queued);
  reply.reserve(count < kReplyCapacity ? count : kReplyCapacity);
  std::array<std::uint8_t, kTraceChunk> trace{};
  std::size_t traced = 0;
  std::uint8_t byte = 0;
  // Only as many as were counted: bytes arriving meanwhile belong to the next reply.
  for (std::size_t i = 0; i < count && link_.Take(byte); ++i) {
    trace[traced++] = byte;
    if (traced == trace.size()) {
      report(trace.data(), traced);
      traced = 0;
    }
    if (byte != 0 && reply.size() < kReplyCapacity) reply.push_back(byte);
  }
  report(trace.data(), traced);
  return reply;
}

std::optional<std::uint8_t> ServiceSession::TakeOne() {
  std::uint8_t byte = 0;
  if (!link_.Take(byte)) return std::nullopt;
  report(&byte, 1);
  return byte;
}

ReplyVerdict ServiceSession::Examine(const std::vector<std::uint8_t>& reply) {
  for (const std::uint8_t byte : reply) {
    if (byte == protocol::answer::kRefused) return ReplyVerdict::kInvalidTransfer;
    if (byte == protocol::answer::kNotAllowed) return ReplyVerdict::kNotAllowed;
  }
  return ReplyVerdict::kNone;
}

void ServiceSession::send(const protocol::CommandFrame& frame) {
  link_.Write(frame.data(), frame.size());
  if (traffic) traffic(true, frame.data(), frame.size());
}

std::vector<std::uint8_t> ServiceSession::collectAfter(const protocol::CommandFrame& frame) {
  if (!open_) return {};
  send(frame);
  pause_(kCommandMs);
  return CollectReply();
}

std::optional<std::uint8_t> ServiceSession::takeOneAfter(const protocol::CommandFrame& frame) {
  if (!open_) return std::nullopt;
  send(frame);
  pause_(kCommandMs);
  return TakeOne();
}

bool ServiceSession::repeatUntilReply(const protocol::CommandFrame& frame) {
  if (!open_) return false;
  // Counted in pause time rather than on a clock, so the bound is the same whatever the
  // pause does (a test's pause returns at once).
  int spent = 0;
  for (;;) {
    send(frame);
    pause_(kCommandMs);
    spent += kCommandMs;
    if (!CollectReply().empty()) return true;
    // A radio whose line is gone will not answer however long it is asked.
    if (spent + kRetryMs >= kRepeatLimitMs || link_.LineLost()) return false;
    pause_(kRetryMs);
    spent += kRetryMs;
  }
}

ReplyVerdict ServiceSession::ChangeChannel(int channel) {
  // The console sends channel 1 for anything its up-down control should not have allowed.
  if (channel < 1 || channel > 16) channel = 1;
  const auto reply = collectAfter(Frame(protocol::command::ChangeChannel(channel)));
  // The radio's answer means something only after these three channels; after the others it
  // is taken and ignored.
  if (channel == 9 || channel == 12 || channel == 15) return Examine(reply);
  return ReplyVerdict::kNone;
}

void ServiceSession::ReceiveMode() {
  if (!open_) return;
  send(Frame(protocol::command::kReceiveMode));
  link_.ClearDtr();
  pause_(kCommandMs);
  CollectReply();
}

ReplyVerdict ServiceSession::TransmitMode() {
  if (!open_) return ReplyVerdict::kNone;
  send(Frame(protocol::command::kTransmitMode));
  link_.SetDtr();
  pause_(kCommandMs);
  return Examine(CollectReply());
}

void ServiceSession::Scan(ScanCommand command) {
  switch (command) {
    case ScanCommand::kStop:
      collectAfter(Frame(kScanStop));
      return;
    case ScanCommand::kStart:
      collectAfter(Frame(kScanStart));
      return;
    case ScanCommand::kDelete:
      collectAfter(Frame(kScanDelete));
      return;
  }
}

bool ServiceSession::GpsData(GpsDataCommand command) {
  switch (command) {
    case GpsDataCommand::kDisable:
      return repeatUntilReply(Frame({code::kGpsData, 0}));
    case GpsDataCommand::kExternalOutput:
      return repeatUntilReply(Frame({code::kGpsData, 1}));
    case GpsDataCommand::kRfTransmission:
      break;
  }
  if (!open_) return false;
  takeOneAfter(Frame({code::kGpsData, 2}));
  return true;
}

void ServiceSession::GpsPowerOn() {
  collectAfter(Frame(Switch(code::kGpsPower, true)));
}

bool ServiceSession::GpsPowerOff() {
  return repeatUntilReply(Frame(Switch(code::kGpsPower, false)));
}

void ServiceSession::TestDataOn() {
  takeOneAfter(Frame(kTestDataOn));
}

ReplyVerdict ServiceSession::TestDataOff() {
  const auto byte = takeOneAfter(Frame(kTestDataOff));
  return byte == protocol::answer::kRefused ? ReplyVerdict::kInvalidTransfer : ReplyVerdict::kNone;
}

void ServiceSession::MarkTone(bool on) {
  takeOneAfter(Frame(Switch(code::kMarkTone, on)));
}

void ServiceSession::SpaceTone(bool on) {
  takeOneAfter(Frame(Switch(code::kSpaceTone, on)));
}

void ServiceSession::GmskTransmit(bool on) {
  takeOneAfter(Frame(Switch(code::kGmskTransmit, on)));
}

bool ServiceSession::UpgradeTransmit(bool on) {
  if (!open_) return false;
  send(Frame(Switch(code::kUpgradeTransmit, on)));
  if (on)
    link_.SetDtr();
  else
    link_.ClearDtr();
  pause_(kCommandMs);
  return !CollectReply().empty();
}

void ServiceSession::SquelchOpen() {
  takeOneAfter(Frame(protocol::command::kSquelchOpen));
}

void ServiceSession::SquelchClose() {
  takeOneAfter(Frame(protocol::command::kSquelchClose));
}

void ServiceSession::SquelchDefault() {
  takeOneAfter(Frame(protocol::command::kSquelchDefault));
}

void ServiceSession::SquelchSave() {
  takeOneAfter(Frame(protocol::command::kSquelchSave));
}

}  // namespace kx
