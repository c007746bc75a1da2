#include <gtest/gtest.h>

#include <thread>

#include "link/ByteQueue.h"

namespace kx {
namespace {

TEST(ByteQueueTest, EmptyQueueTakesNothingAndLeavesTheByteAlone) {
  CByteQueue queue;
  EXPECT_EQ(queue.Count(), 0);
  std::uint8_t byte = 0x5A;
  EXPECT_FALSE(queue.Take(byte));
  EXPECT_EQ(byte, 0x5A);
}

TEST(ByteQueueTest, HoldsAtMost8191BytesInOrder) {
  CByteQueue queue;
  for (int i = 0; i < 8191; ++i)
    ASSERT_TRUE(queue.Put(static_cast<std::uint8_t>(i))) << i;
  EXPECT_EQ(queue.Count(), 8191);
  EXPECT_EQ(queue.FreeRoom(), 0);
  EXPECT_FALSE(queue.Put(0xEE));
  EXPECT_EQ(queue.Count(), 8191);

  std::uint8_t byte = 0;
  for (int i = 0; i < 8191; ++i) {
    ASSERT_TRUE(queue.Take(byte));
    ASSERT_EQ(byte, static_cast<std::uint8_t>(i));
  }
  EXPECT_FALSE(queue.Take(byte));
}

TEST(ByteQueueTest, CountsAcrossTheWrap) {
  CByteQueue queue;
  std::uint8_t byte = 0;
  // Read index to 8190: put and take 8190 bytes.
  for (int i = 0; i < 8190; ++i) {
    queue.Put(0);
    queue.Take(byte);
  }
  // Write index wraps to 3.
  for (int i = 0; i < 5; ++i)
    ASSERT_TRUE(queue.Put(static_cast<std::uint8_t>(0xA0 + i)));
  EXPECT_EQ(queue.Count(), 5);
  EXPECT_EQ(queue.FreeRoom(), 8186);
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(queue.Take(byte));
    EXPECT_EQ(byte, 0xA0 + i);
  }
  EXPECT_EQ(queue.Count(), 0);
}

// One producer, one consumer, no lock: every byte arrives once, in order. Run under
// ThreadSanitizer this also checks the ordering of the indexes against the bytes.
TEST(ByteQueueTest, ProducerAndConsumerThreadsPassEveryByteInOrder) {
  CByteQueue queue;
  constexpr int kBytes = 200'000;
  std::thread producer([&] {
    for (int i = 0; i < kBytes; ++i) {
      while (!queue.Put(static_cast<std::uint8_t>(i * 7)))
        std::this_thread::yield();
    }
  });
  int taken = 0;
  bool inOrder = true;
  std::uint8_t byte = 0;
  while (taken < kBytes) {
    if (!queue.Take(byte)) {
      std::this_thread::yield();
      continue;
    }
    inOrder = inOrder && byte == static_cast<std::uint8_t>(taken * 7);
    ++taken;
  }
  producer.join();
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(queue.Count(), 0);
}

}  // namespace
}  // namespace kx
