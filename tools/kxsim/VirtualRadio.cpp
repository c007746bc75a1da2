#include "VirtualRadio.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "RadioEngine.h"

namespace kx::sim {

namespace {

constexpr std::size_t kMostLogEntries = 100'000;
constexpr std::size_t kMostRecordedBytes = 4u << 20;
constexpr std::size_t kReadChunk = 4096;

void closeFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

bool makeRaw(int fd, speed_t speed) {
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return false;
  ::cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  ::cfsetispeed(&tio, speed);
  ::cfsetospeed(&tio, speed);
  return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

timespec timespecOf(Clock::duration d) {
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
  if (ns <= 0) return {0, 0};
  return {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

void append(std::vector<std::uint8_t>& to, const std::uint8_t* bytes, std::size_t count) {
  const std::size_t room = kMostRecordedBytes - std::min(kMostRecordedBytes, to.size());
  to.insert(to.end(), bytes, bytes + std::min(room, count));
}

}  // namespace

RadioTiming RadioSettings::PacedTiming() {
  RadioTiming timing;
  timing.pace = true;
  timing.answerDelay = std::chrono::milliseconds(5);
  // Started half its time on the wire before the middle of the programmer's two looks, the
  // first block is whole as long after the first look as before the second.
  const auto frameTime = std::chrono::microseconds(10'000'000LL * protocol::kReadFrameSize /
                                                   std::max(1u, timing.baud));
  timing.firstBlockDelay -= std::chrono::duration_cast<std::chrono::milliseconds>(frameTime / 2);
  return timing;
}

std::string FormatLogEntry(const LogEntry& entry, Clock::time_point start) {
  const double seconds = std::chrono::duration<double>(entry.time - start).count();
  char head[48];
  std::snprintf(head, sizeof head, "%9.3f %s ", seconds,
                entry.direction == Direction::kToRadio ? "host  >" : "radio >");
  std::string text = head;
  for (std::uint8_t b : entry.bytes) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X ", b);
    text += hex;
  }
  if (!entry.note.empty()) text += "  " + entry.note;
  return text;
}

VirtualRadio::VirtualRadio(RadioSettings settings)
    : engine_(std::make_unique<RadioEngine>(settings)), timing_(settings.timing) {}

VirtualRadio::~VirtualRadio() {
  Stop();
}

bool VirtualRadio::Start(std::string* error) {
  std::lock_guard lock(mutex_);
  auto fail = [&](const std::string& what) {
    if (error) *error = what + ": " + std::strerror(errno);
    closeFd(master_);
    closeFd(slaveHold_);
    closeFd(wakeRead_);
    closeFd(wakeWrite_);
    return false;
  };
  if (running_) {
    if (error) *error = "The radio is already running on " + slavePath_;
    return false;
  }
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) return fail("No pseudo-terminal");
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return fail("No pseudo-terminal");
  std::array<char, 128> name{};
  if (::ptsname_r(master_, name.data(), name.size()) != 0) return fail("No pseudo-terminal");
  if (!makeRaw(master_, B4800)) return fail("Cannot set up the pseudo-terminal");
  // With no slave open the master reads as hung up (EIO, POLLHUP) and drops what is written to
  // it; holding the slave open ourselves keeps the line up between the programmer's opens.
  slaveHold_ = ::open(name.data(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (slaveHold_ < 0 || !makeRaw(slaveHold_, B4800))
    return fail("Cannot open " + std::string(name.data()));
  if (::fcntl(master_, F_SETFL, O_NONBLOCK) != 0) return fail("Cannot set up the pseudo-terminal");
  int wake[2];
  if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) return fail("Cannot make a pipe");
  wakeRead_ = wake[0];
  wakeWrite_ = wake[1];

  slavePath_ = name.data();
  startTime_ = Clock::now();
  // The programmer's pauses run ahead of the clock; the radio's time never goes back.
  pausedNow_ = std::max(pausedNow_, startTime_);
  outbox_.clear();
  stopping_ = false;
  running_ = true;
  engine_->state.vanished = false;
  try {
    thread_ = std::thread(&VirtualRadio::Run, this);
  } catch (const std::system_error& e) {
    running_ = false;
    errno = e.code().value();
    return fail("Cannot start the radio");
  }
  return true;
}

void VirtualRadio::Stop() {
  {
    std::lock_guard lock(mutex_);
    if (!running_) return;
    stopping_ = true;
    Wake();
  }
  thread_.join();
  std::lock_guard lock(mutex_);
  closeFd(master_);
  closeFd(slaveHold_);
  closeFd(wakeRead_);
  closeFd(wakeWrite_);
  running_ = false;
  ++generation_;
  activity_.notify_all();
}

bool VirtualRadio::IsRunning() const {
  std::lock_guard lock(mutex_);
  return running_;
}

std::string VirtualRadio::SlavePath() const {
  std::lock_guard lock(mutex_);
  return slavePath_;
}

image::Image VirtualRadio::Memory() const {
  std::lock_guard lock(mutex_);
  return engine_->memory;
}

void VirtualRadio::SetMemory(const image::Image& memory) {
  std::lock_guard lock(mutex_);
  engine_->memory = memory;
}

RadioState VirtualRadio::State() const {
  std::lock_guard lock(mutex_);
  return engine_->state;
}

void VirtualRadio::SetSignalLevel(int dBm) {
  std::lock_guard lock(mutex_);
  engine_->state.signalDbm = dBm;
}

Faults VirtualRadio::GetFaults() const {
  std::lock_guard lock(mutex_);
  return engine_->faults;
}

void VirtualRadio::SetFaults(const Faults& faults) {
  std::lock_guard lock(mutex_);
  engine_->faults = faults;
}

void VirtualRadio::SetTiming(const RadioTiming& timing) {
  std::lock_guard lock(mutex_);
  timing_ = timing;
  engine_->timing = timing;
}

std::vector<LogEntry> VirtualRadio::Log() const {
  std::lock_guard lock(mutex_);
  return log_;
}

std::vector<std::uint8_t> VirtualRadio::BytesReceived() const {
  std::lock_guard lock(mutex_);
  return received_;
}

std::vector<std::uint8_t> VirtualRadio::BytesSent() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

void VirtualRadio::ClearLog() {
  std::lock_guard lock(mutex_);
  log_.clear();
  received_.clear();
  sent_.clear();
}

Clock::time_point VirtualRadio::StartTime() const {
  std::lock_guard lock(mutex_);
  return startTime_;
}

std::uint64_t VirtualRadio::BytesReceivedCount() const {
  std::lock_guard lock(mutex_);
  return receivedCount_;
}

std::uint64_t VirtualRadio::BytesSentCount() const {
  std::lock_guard lock(mutex_);
  return sentCount_;
}

void VirtualRadio::FollowPauses() {
  std::lock_guard lock(mutex_);
  if (followsPauses_) return;
  followsPauses_ = true;
  pausedNow_ = Clock::now();
  if (running_) Wake();
}

bool VirtualRadio::Advance(Clock::duration by, std::uint64_t written,
                           std::chrono::milliseconds patience) {
  const auto deadline = Clock::now() + patience;
  std::unique_lock lock(mutex_);
  if (!followsPauses_) return false;
  // What the programmer wrote before its pause was on the line before the pause began, so the
  // radio hears it at the time it was written, however late its thread got round to reading.
  if (!activity_.wait_until(lock, deadline,
                            [&] { return receivedCount_ >= written || master_ < 0 || !running_; }))
    return false;
  pausedNow_ += by;
  const std::uint64_t step = ++stepsAsked_;
  if (!running_) return true;
  Wake();
  return activity_.wait_until(lock, deadline, [&] { return stepsServed_ >= step || !running_; });
}

Clock::time_point VirtualRadio::Now() const {
  return followsPauses_ ? pausedNow_ : Clock::now();
}

void VirtualRadio::Wake() {
  const std::uint8_t wake = 1;
  if (::write(wakeWrite_, &wake, 1) < 0) {
    // Only fails when the pipe is full, and a full pipe wakes the thread just as well.
  }
}

void VirtualRadio::SetLogSink(std::function<void(const LogEntry&)> sink) {
  std::lock_guard lock(mutex_);
  logSink_ = std::move(sink);
}

void VirtualRadio::SetWriteSink(std::function<void(const image::Image&)> sink) {
  std::lock_guard lock(mutex_);
  writeSink_ = std::move(sink);
}

bool VirtualRadio::WaitFor(const std::function<bool()>& condition,
                           std::chrono::milliseconds timeout) const {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (Clock::now() >= deadline) return false;
    std::unique_lock lock(mutex_);
    const std::uint64_t seen = generation_;
    // Activity between the look and the lock is caught by the short wait.
    activity_.wait_until(lock, std::min(deadline, Clock::now() + std::chrono::milliseconds(20)),
                         [&] { return generation_ != seen; });
  }
}

Clock::duration VirtualRadio::ByteTime() const {
  // Start bit, 8 data bits, stop bit.
  return std::chrono::microseconds(10'000'000 / std::max(1u, timing_.baud));
}

void VirtualRadio::AddLog(LogEntry entry) {
  if (logSink_) logSink_(entry);
  if (log_.size() >= kMostLogEntries) log_.erase(log_.begin(), log_.begin() + kMostLogEntries / 10);
  log_.push_back(std::move(entry));
}

void VirtualRadio::Record(Direction direction, const std::uint8_t* bytes, std::size_t count) {
  append(direction == Direction::kToRadio ? received_ : sent_, bytes, count);
}

void VirtualRadio::TakeReplies(Clock::time_point now) {
  for (auto& heard : engine_->TakeHeard())
    AddLog({now, Direction::kToRadio, std::move(heard.bytes), std::move(heard.note)});
  // Answers queue up behind each other on the one line.
  Clock::time_point lineFree = now;
  if (!outbox_.empty()) {
    const Pending& last = outbox_.back();
    lineFree = last.start + (timing_.pace ? ByteTime() * static_cast<long>(last.bytes.size())
                                          : Clock::duration::zero());
  }
  for (auto& reply : engine_->TakeReplies()) {
    Pending pending;
    pending.start = std::max(now + reply.delay, lineFree);
    pending.bytes = std::move(reply.bytes);
    pending.note = std::move(reply.note);
    lineFree = pending.start + (timing_.pace ? ByteTime() * static_cast<long>(pending.bytes.size())
                                             : Clock::duration::zero());
    outbox_.push_back(std::move(pending));
  }
  if (engine_->TakeCompletedWrite() && writeSink_) writeSink_(engine_->memory);
}

std::optional<Clock::time_point> VirtualRadio::SendDue(Clock::time_point now) {
  while (!outbox_.empty()) {
    Pending& p = outbox_.front();
    if (now < p.start) return p.start;
    std::size_t due = p.bytes.size();
    if (timing_.pace)
      due = std::min(due, static_cast<std::size_t>((now - p.start) / ByteTime()) + 1);
    if (due > p.sent) {
      if (p.sent == 0) AddLog({now, Direction::kFromRadio, p.bytes, p.note});
      const ssize_t n = master_ < 0 ? -1 : ::write(master_, p.bytes.data() + p.sent, due - p.sent);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        // Nobody has read the line for a long while and it is full: the bytes are lost, as
        // they would be on a cable with nothing at the other end.
        AddLog({now, Direction::kFromRadio, {}, "line full: the rest of the answer is lost"});
        outbox_.erase(outbox_.begin());
        continue;
      }
      Record(Direction::kFromRadio, p.bytes.data() + p.sent, static_cast<std::size_t>(n));
      sentCount_ += static_cast<std::uint64_t>(n);
      p.sent += static_cast<std::size_t>(n);
    }
    if (p.sent < p.bytes.size()) return p.start + ByteTime() * static_cast<long>(p.sent);
    outbox_.erase(outbox_.begin());
  }
  return std::nullopt;
}

void VirtualRadio::CloseLine() {
  closeFd(master_);
  closeFd(slaveHold_);
  engine_->state.vanished = true;
  AddLog({Now(), Direction::kFromRadio, {}, "the radio is gone"});
}

void VirtualRadio::Run() {
  std::array<std::uint8_t, kReadChunk> buffer{};
  for (;;) {
    std::optional<Clock::time_point> deadline;
    int master = -1;
    {
      std::lock_guard lock(mutex_);
      if (stopping_) return;
      const auto now = Now();
      engine_->Tick(now);
      TakeReplies(now);
      deadline = SendDue(now);
      if (engine_->VanishRequested() && outbox_.empty() && master_ >= 0) CloseLine();
      if (const auto tick = engine_->Deadline(); tick && master_ >= 0)
        deadline = deadline ? std::min(*deadline, *tick) : *tick;
      // Following the programmer's pauses, time moves only when Advance wakes the radio.
      if (followsPauses_) deadline.reset();
      master = master_;
      stepsServed_ = stepsAsked_;
      ++generation_;
      activity_.notify_all();
    }

    std::array<pollfd, 2> watch{{{wakeRead_, POLLIN, 0}, {master, POLLIN, 0}}};
    const nfds_t count = master >= 0 ? 2 : 1;
    timespec wait{};
    if (deadline) wait = timespecOf(*deadline - Clock::now());
    if (::ppoll(watch.data(), count, deadline ? &wait : nullptr, nullptr) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (watch[0].revents != 0) {  // Stop, or Advance
      std::array<std::uint8_t, 64> wakes{};
      while (::read(wakeRead_, wakes.data(), wakes.size()) > 0) {
      }
      continue;
    }
    if (count < 2 || watch[1].revents == 0) continue;
    if (watch[1].revents & POLLIN) {
      const ssize_t n = ::read(master, buffer.data(), buffer.size());
      if (n > 0) {
        std::lock_guard lock(mutex_);
        const auto now = Now();
        const auto heard = static_cast<std::size_t>(n);
        Record(Direction::kToRadio, buffer.data(), heard);
        receivedCount_ += heard;
        engine_->Feed(buffer.data(), heard, now);
        // The answers are timed from now, before the clock can move on.
        TakeReplies(now);
        continue;
      }
    }
    // The slave held open keeps the master from hanging up; should it happen all the same,
    // look again a little later instead of spinning on it.
    if (watch[1].revents & (POLLHUP | POLLERR)) {
      timespec nap = timespecOf(std::chrono::milliseconds(10));
      ::nanosleep(&nap, nullptr);
    }
  }
}

}  // namespace kx::sim
