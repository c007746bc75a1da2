#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "FactoryImage.h"
#include "RadioFaults.h"
#include "link/RadioProtocol.h"
#include "model/MemoryMap.h"
#include "model/ModelType.h"

namespace kx::sim {

using Clock = std::chrono::steady_clock;

// How fast the radio answers. The programmer writes, pauses a fixed time (100 ms for most
// exchanges) and takes what has arrived, so the radio has to fit its answers into those pauses.
struct RadioTiming {
  // Every answer but the first block of a read. 0 answers at once; a paced radio thinks a few ms.
  std::chrono::milliseconds answerDelay{0};
  // The first block of a read follows the request by this much. The programmer takes the
  // request's answer one answer pause after the request and looks for the block one pause
  // later; the block is whole halfway between the two (at 150 ms), as far from each as it can
  // be. A paced radio starts it earlier by half its time on the wire (PacedTiming).
  std::chrono::milliseconds firstBlockDelay{protocol::pause_ms::kAnswer * 3 / 2};
  // A block frame that stops arriving half-way is dropped after this much silence. The
  // programmer pauses 50 ms inside every written block, so it is well above that.
  std::chrono::milliseconds frameTimeout{300};
  // Wire speed: each byte leaves 10 bits after the previous one (2.083 ms at 4800 baud).
  bool pace = false;
  unsigned baud = 4800;
};

struct RadioSettings {
  ModelType model = model::kKx400Vhf;
  std::uint8_t version = 0x21;  // high nibble major, low nibble minor
  ModemType modem = ModemType::kGmsk;
  int channel = 1;  // 1..16
  // The memory the radio starts with; the factory image of the model when not given.
  std::optional<image::Image> memory;
  Faults faults;
  RadioTiming timing;

  // The timing of a radio on a real line: paced, thinking 5 ms before each answer.
  static RadioTiming PacedTiming();
};

enum class ScanMode { kStop, kStart, kDelete };
enum class GpsData { kDisable = 0, kExternalOutput = 1, kRfTransmission = 2 };

// What the radio is doing, as the service commands left it.
struct RadioState {
  bool awake = false;        // woken for programming (87 00 87), until 89 00 89
  bool serviceMode = false;  // entered by 88 66 EE, left by a wake-up
  int channel = 1;
  bool transmitting = false;
  ScanMode scan = ScanMode::kStop;
  GpsData gpsData = GpsData::kDisable;
  bool gpsPower = false;
  bool testData = false;
  bool markTone = false;
  bool spaceTone = false;
  bool gmskTransmit = false;
  bool upgradeTransmit = false;
  // Squelch thresholds in dBm: in use, and saved for the next power-on.
  int squelchOpenDbm = -115;
  int squelchCloseDbm = -120;
  int savedOpenDbm = -115;
  int savedCloseDbm = -120;
  int signalDbm = -110;  // the RF level at the antenna, which SET (OPEN/CLOSE) measures
  int readsCompleted = 0;
  int writesCompleted = 0;
  bool vanished = false;  // the radio closed its line (fault)
};

constexpr int kPresetOpenDbm = -115;
constexpr int kPresetCloseDbm = -120;

enum class Direction { kToRadio, kFromRadio };

// One frame on the wire as the radio saw it: a command, a block, an answer, or bytes that made
// no sense to it (note says which).
struct LogEntry {
  Clock::time_point time;
  Direction direction;
  std::vector<std::uint8_t> bytes;
  std::string note;
};
// "  12.345 host  > 87 00 87   wake-up", time counted from start.
std::string FormatLogEntry(const LogEntry& entry, Clock::time_point start);

class RadioEngine;

// A radio of the KX family on a pseudo-terminal: the programmer opens the slave side as its
// serial port; the radio answers the programming protocol and the service commands on the
// master side, from a thread of its own. The master stays open from Start to Stop, whatever the
// programmer does with its side, so it can open and close the port as often as it likes.
//
// Every member may be called from any thread. Callbacks run on the radio's thread and must not
// call back into the radio.
class VirtualRadio {
 public:
  explicit VirtualRadio(RadioSettings settings = {});
  ~VirtualRadio();
  VirtualRadio(const VirtualRadio&) = delete;
  VirtualRadio& operator=(const VirtualRadio&) = delete;

  // Opens a new pseudo-terminal and starts answering on it. False, with the reason in error,
  // when the system gives no pseudo-terminal (or the radio is already running).
  bool Start(std::string* error = nullptr);
  // Stops answering and closes the pseudo-terminal. The memory, state and log stay readable.
  void Stop();
  bool IsRunning() const;
  // The device the programmer opens, e.g. /dev/pts/3; empty before Start.
  std::string SlavePath() const;

  image::Image Memory() const;
  void SetMemory(const image::Image& memory);
  RadioState State() const;
  void SetSignalLevel(int dBm);
  Faults GetFaults() const;
  void SetFaults(const Faults& faults);
  void SetTiming(const RadioTiming& timing);

  // Every frame since Start (or ClearLog), oldest first; the oldest are dropped past 100000.
  std::vector<LogEntry> Log() const;
  // Every byte the radio received and sent, in order (the first 4 MiB of each).
  std::vector<std::uint8_t> BytesReceived() const;
  std::vector<std::uint8_t> BytesSent() const;
  void ClearLog();
  Clock::time_point StartTime() const;

  // Called for each frame as it is logged.
  void SetLogSink(std::function<void(const LogEntry&)> sink);
  // Called with the new memory after every completed write.
  void SetWriteSink(std::function<void(const image::Image&)> sink);

  // Waits until condition() holds, looking again whenever the radio did something; false when
  // the time-out passed first. The condition may call the radio's members.
  bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) const;

  // Makes the programmer's pauses the radio's clock, for a test: from now on the radio's time
  // stands still but for Advance, so where its answers fall among the programmer's pauses, and
  // so what the programmer finds after each pause, no longer hangs on how busy the machine is.
  // Answers are still placed relative to when the radio heard what it answers.
  void FollowPauses();
  // The programmer pauses: once the radio has heard the `written` bytes written to it in all
  // (or is gone), its time moves on by `by`; returns once it has put on the line everything
  // due by then. False when that took longer than patience, or the radio does not follow
  // pauses.
  bool Advance(Clock::duration by, std::uint64_t written, std::chrono::milliseconds patience);
  // Bytes heard and sent since Start, all of them (not bounded as the recorded ones are).
  std::uint64_t BytesReceivedCount() const;
  std::uint64_t BytesSentCount() const;

 private:
  struct Pending {
    Clock::time_point start;
    std::vector<std::uint8_t> bytes;
    std::string note;
    std::size_t sent = 0;
  };

  void Run();
  void TakeReplies(Clock::time_point now);
  // Writes what is due; the time of the next byte still to go.
  std::optional<Clock::time_point> SendDue(Clock::time_point now);
  void Record(Direction direction, const std::uint8_t* bytes, std::size_t count);
  void AddLog(LogEntry entry);
  void CloseLine();
  Clock::duration ByteTime() const;
  // The radio's time: the clock's, or the programmer's pauses' (FollowPauses).
  Clock::time_point Now() const;
  void Wake();

  mutable std::mutex mutex_;
  mutable std::condition_variable activity_;
  std::unique_ptr<RadioEngine> engine_;
  RadioTiming timing_;
  std::vector<Pending> outbox_;
  std::vector<LogEntry> log_;
  std::vector<std::uint8_t> received_;
  std::vector<std::uint8_t> sent_;
  std::function<void(const LogEntry&)> logSink_;
  std::function<void(const image::Image&)> writeSink_;
  std::string slavePath_;
  Clock::time_point startTime_;
  std::uint64_t generation_ = 0;  // counts the radio's activity, for WaitFor
  std::uint64_t receivedCount_ = 0;
  std::uint64_t sentCount_ = 0;
  bool followsPauses_ = false;
  Clock::time_point pausedNow_{};  // the radio's time when it follows the programmer's pauses
  std::uint64_t stepsAsked_ = 0;   // Advance calls
  std::uint64_t stepsServed_ = 0;  // the last one the radio's thread has caught up with
  bool stopping_ = false;

  int master_ = -1;
  int slaveHold_ = -1;  // keeps the line up while no programmer has the port open
  int wakeRead_ = -1;
  int wakeWrite_ = -1;
  bool running_ = false;
  std::thread thread_;
};

}  // namespace kx::sim
