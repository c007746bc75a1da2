#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "RadioLink.h"

namespace kx::test {
namespace {

class CommPortTest : public ::testing::Test {
 protected:
  RadioLink link;
};

TEST_F(CommPortTest, OpensThePseudoTerminalWithTheRadioLine) {
  ASSERT_TRUE(link.Open()) << link.port.LastError();
  EXPECT_TRUE(link.port.IsOpen());
  EXPECT_EQ(link.port.PortName(), link.radio.SlavePath());

  // Only a privileged process gets past the exclusive open to look at the line.
  const int fd = ::open(link.radio.SlavePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) GTEST_SKIP() << "cannot look at the line without privileges";
  termios tio{};
  ASSERT_EQ(::tcgetattr(fd, &tio), 0);
  ::close(fd);
  EXPECT_EQ(cfgetospeed(&tio), B4800);
  EXPECT_EQ(cfgetispeed(&tio), B4800);
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(tio.c_oflag & OPOST, 0u);
}

TEST_F(CommPortTest, CarriesBytesBothWays) {
  ASSERT_TRUE(link.Open());
  link.Send(Frame(0x87, 0x00));
  link.Send(Frame(0x71, 0x52));
  EXPECT_EQ(link.Await(2), (Bytes{0xAA, 0x21}));
  // The first block follows on its own: every byte the radio sent reaches the queue, in order.
  const Bytes block = link.Await(22);
  ASSERT_EQ(block.size(), 22u);
  EXPECT_EQ(link.radio.BytesReceived(), (Bytes{0x87, 0x00, 0x87, 0x71, 0x52, 0xC3}));
  Bytes sent = link.radio.BytesSent();
  EXPECT_EQ(Bytes(sent.begin() + 2, sent.end()), block);
}

TEST_F(CommPortTest, ReopensAndKeepsWhatWasQueued) {
  for (int round = 0; round < 5; ++round) {
    ASSERT_TRUE(link.Open()) << "round " << round << ": " << link.port.LastError();
    link.Send(Frame(0x88, 0x66));
    link.Send(Frame(0x53, 0x66));
    ASSERT_EQ(link.Await(4), (Bytes{0xAA, 0x01, 0x21, 0xA1})) << "round " << round;
    link.port.Close();
    EXPECT_FALSE(link.port.IsOpen());
  }
  // An answer not taken before Close is still queued for the next connection.
  ASSERT_TRUE(link.Open());
  link.Send(Frame(0x53, 0x66));
  ASSERT_TRUE(link.WaitUntil([&] { return link.port.m_QueueRead.Count() == 4; }));
  link.port.Close();
  EXPECT_EQ(link.port.m_QueueRead.Count(), 4);
  ASSERT_TRUE(link.Open());
  EXPECT_EQ(link.Drain(), (Bytes{0xAA, 0x01, 0x21, 0xA1}));
}

TEST_F(CommPortTest, LastFrameBeforeCloseReachesTheRadio) {
  ASSERT_TRUE(link.Open());
  link.Send(Frame(0x87, 0x00));
  link.Send(Frame(0x89, 0x00));
  link.port.Close();
  EXPECT_TRUE(link.Heard("end of connection"));
}

TEST_F(CommPortTest, PortIsNeverShared) {
  ASSERT_TRUE(link.Open());
  EXPECT_FALSE(link.port.Open(link.radio.SlavePath(), 4800, 0));
  EXPECT_TRUE(link.port.IsOpen()) << "a refused second Open leaves the first connection";

  CCommPort other;
  EXPECT_FALSE(other.Open(link.radio.SlavePath(), 4800, 1));
  EXPECT_NE(other.LastError().find("In use"), std::string::npos) << other.LastError();
  other.Close();

  link.port.Close();
  EXPECT_TRUE(other.Open(link.radio.SlavePath(), 4800, 1)) << other.LastError();
}

TEST_F(CommPortTest, ModemLinesOfAPseudoTerminalAreNoError) {
  EXPECT_FALSE(link.port.SetDtr()) << "no port open";
  ASSERT_TRUE(link.Open());
  EXPECT_TRUE(link.port.ClearRts()) << link.port.LastError();
  EXPECT_TRUE(link.port.ClearDtr()) << link.port.LastError();
  EXPECT_TRUE(link.port.SetDtr()) << link.port.LastError();
  link.Send(Frame(0x88, 0x66));
  link.Send(Frame(0x53, 0x66));
  EXPECT_EQ(link.Await(4).size(), 4u);
}

TEST_F(CommPortTest, OpenRefusesWhatIsNoRadioPort) {
  CCommPort port;
  EXPECT_FALSE(port.Open("/nonexistent/ttyUSB9", 4800, 0));
  EXPECT_NE(port.LastError().find("No such file"), std::string::npos) << port.LastError();
  EXPECT_FALSE(port.Open("/dev/null", 4800, 0));
  EXPECT_NE(port.LastError().find("Not a serial port"), std::string::npos) << port.LastError();
  EXPECT_FALSE(port.Open("COM0", 4800, 0));
  EXPECT_FALSE(port.Open(link.radio.SlavePath(), 4801, 0));
  EXPECT_NE(port.LastError().find("baud"), std::string::npos) << port.LastError();
  EXPECT_FALSE(port.IsOpen());
  port.Close();
  EXPECT_EQ(port.Write(Bytes{0x87, 0x00, 0x87}), 0u);
}

// A raw pseudo-terminal pair, to push bytes at the port as fast as the system takes them.
class FloodingLine {
 public:
  FloodingLine() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
    path_ = ::ptsname(master_);
    // A full line must not block the pump: Stop would wait for it forever once nobody reads.
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    // Keep the line up whatever the port does.
    hold_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    termios tio{};
    ::tcgetattr(hold_, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(hold_, TCSANOW, &tio);
  }
  ~FloodingLine() {
    Stop();
    if (hold_ >= 0) ::close(hold_);
    if (master_ >= 0) ::close(master_);
  }
  const std::string& Path() const { return path_; }
  // Sends 0, 1, 2, ... (mod 251) in chunks of 100 until stopped.
  void Start() {
    pump_ = std::thread([this] {
      std::uint8_t chunk[100];
      while (!stop_) {
        for (auto& b : chunk)
          b = static_cast<std::uint8_t>(next_++ % 251);
        std::size_t done = 0;
        while (done < sizeof chunk && !stop_) {
          const ssize_t n = ::write(master_, chunk + done, sizeof chunk - done);
          if (n > 0)
            done += static_cast<std::size_t>(n);
          else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        sent_ += sizeof chunk;
      }
    });
  }
  void Stop() {
    stop_ = true;
    if (pump_.joinable()) pump_.join();
  }
  std::size_t Sent() const { return sent_; }

 private:
  int master_ = -1;
  int hold_ = -1;
  std::string path_;
  std::thread pump_;
  std::atomic<bool> stop_{false};
  std::atomic<std::size_t> sent_{0};
  unsigned next_ = 0;
};

TEST(CommPortFloodTest, FullQueueDropsWholeChunksAndSaysSo) {
  FloodingLine line;
  ASSERT_FALSE(line.Path().empty());
  CCommPort port;
  std::mutex mutex;
  std::vector<std::string> messages;
  port.SetMessageSink([&](const Notice& notice) {
    std::lock_guard lock(mutex);
    messages.push_back(notice.text);
  });
  ASSERT_TRUE(port.Open(line.Path(), 4800, 0)) << port.LastError();
  line.Start();
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  auto sawFull = [&] {
    std::lock_guard lock(mutex);
    return !messages.empty();
  };
  while (!sawFull() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(sawFull());
  {
    std::lock_guard lock(mutex);
    EXPECT_EQ(messages.front(), "m_QueueRead FULL!");
  }
  // Closing while the bytes pour in: the thread stops, and nothing is queued after Close.
  port.Close();
  line.Stop();
  const int count = port.m_QueueRead.Count();
  EXPECT_LE(count, 8191);
  EXPECT_GT(count, 8191 - static_cast<int>(CCommPort::kReadChunk));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(port.m_QueueRead.Count(), count);
  // The queue holds the stream from its first byte on: a chunk is dropped only once the queue
  // holds more than 8191 - 2048 bytes, so at least those came through without a gap.
  std::uint8_t byte = 0;
  for (int i = 0; i < 8191 - static_cast<int>(CCommPort::kReadChunk); ++i) {
    ASSERT_TRUE(port.m_QueueRead.Take(byte));
    ASSERT_EQ(byte, i % 251) << "at " << i;
  }
}

TEST(CommPortFloodTest, FullQueueIsReportedOnceUntilItHasRoomAgain) {
  FloodingLine line;
  ASSERT_FALSE(line.Path().empty());
  CCommPort port;
  std::mutex mutex;
  std::vector<std::string> messages;
  port.SetMessageSink([&](const Notice& notice) {
    std::lock_guard lock(mutex);
    messages.push_back(notice.text);
  });
  const auto said = [&] {
    std::lock_guard lock(mutex);
    return messages.size();
  };
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  const auto waitFor = [&](auto condition) {
    while (!condition() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
  };
  ASSERT_TRUE(port.Open(line.Path(), 4800, 0)) << port.LastError();
  line.Start();
  waitFor([&] { return said() > 0; });
  // The radio goes on sending into the full queue for another eight chunks and more.
  const std::size_t sent = line.Sent();
  waitFor([&] { return line.Sent() > sent + 8 * CCommPort::kReadChunk; });
  EXPECT_EQ(said(), 1u);
  // Once the queue has had room, a new overflow is a new message.
  std::uint8_t byte = 0;
  while (port.m_QueueRead.Take(byte)) {
  }
  waitFor([&] { return said() > 1; });
  port.Close();
  line.Stop();
  EXPECT_EQ(said(), 2u);
}

TEST(CommPortFloodTest, CloseStopsTheWatchThreadWhileDataFlows) {
  FloodingLine line;
  ASSERT_FALSE(line.Path().empty());
  CCommPort port;
  port.SetMessageSink([](const Notice&) {});
  line.Start();
  for (int round = 0; round < 20; ++round) {
    ASSERT_TRUE(port.Open(line.Path(), 4800, 0)) << port.LastError();
    std::uint8_t byte = 0;
    while (port.m_QueueRead.Take(byte)) {
    }
    port.Close();
  }
  line.Stop();
}

TEST_F(CommPortTest, RadioThatDisappearsIsReportedOnce) {
  sim::Faults faults;
  faults.vanishAfterBlock = 0;
  link.radio.SetFaults(faults);
  std::mutex mutex;
  std::vector<std::string> messages;
  link.port.SetMessageSink([&](const Notice& notice) {
    std::lock_guard lock(mutex);
    messages.push_back(notice.text);
  });
  ASSERT_TRUE(link.Open());
  link.Send(Frame(0x87, 0x00));
  link.Send(Frame(0x71, 0x52));
  EXPECT_EQ(link.Await(2 + 22).size(), 24u);
  link.Send({0xA1, 0x00});
  ASSERT_TRUE(link.WaitUntil([&] {
    std::lock_guard lock(mutex);
    return !messages.empty();
  }));
  EXPECT_EQ(messages.front(), "Serial port lost: " + link.radio.SlavePath());
  EXPECT_TRUE(link.port.LineLost());
  EXPECT_EQ(link.port.Write(Frame(0x89, 0x00)), 0u);
  link.port.Close();
  EXPECT_EQ(messages.size(), 1u);
  // The next port the object opens is a new line.
  RadioLink next;
  ASSERT_TRUE(link.port.Open(next.radio.SlavePath(), 4800, 0));
  EXPECT_FALSE(link.port.LineLost());
  link.port.Close();  // before the messages it reports to go
}

}  // namespace
}  // namespace kx::test
