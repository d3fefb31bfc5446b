#include <gtest/gtest.h>

#include <set>

#include "triggers/held_hot_key.h"

namespace dpx {
namespace {

constexpr unsigned kGrave = 0xC0;
constexpr unsigned kF12 = 0x7B;

class FakeKeyState final : public KeyState {
 public:
  std::set<unsigned> down;
  bool IsKeyDown(unsigned keyCode) override { return down.count(keyCode) != 0; }
};

class HeldHotKeyTest : public ::testing::Test {
 protected:
  // The key goes down at `tick`, and the system posts the hot key's message then.
  bool PressAt(std::uint32_t tick, unsigned key = kGrave, int id = 0) {
    keys.down.insert(key);
    return held.IsNewPress(id, key, tick, tick);
  }

  FakeKeyState keys;
  HeldHotKey held{keys};
};

TEST_F(HeldHotKeyTest, RepeatsOfAHeldKeyAreDroppedAndTheNextPressAfterItsReleaseIsTaken) {
  EXPECT_TRUE(PressAt(1000));
  EXPECT_TRUE(held.Poll(1015));  // still down: go on polling
  // The keyboard's repeats, read at once.
  for (std::uint32_t tick = 1500; tick < 3000; tick += 40)
    EXPECT_FALSE(held.IsNewPress(0, kGrave, tick, tick)) << tick;
  keys.down.clear();
  EXPECT_FALSE(held.Poll(3010));  // up: polling stops
  EXPECT_TRUE(PressAt(3100));
}

TEST_F(HeldHotKeyTest, RepeatsQueuedDuringALongPassAreDroppedWhenReadAfterTheRelease) {
  EXPECT_TRUE(PressAt(1000));
  // The pass keeps DPX's thread busy; the key is held, then let go at 2500, unseen.
  keys.down.clear();
  // Read at 2700: posted while held (and the key seen up only now).
  EXPECT_FALSE(held.IsNewPress(0, kGrave, 1700, 2700));
  EXPECT_FALSE(held.IsNewPress(0, kGrave, 2480, 2701));
  // Pressed again afterwards: taken even when read after that key is up again.
  EXPECT_TRUE(held.IsNewPress(0, kGrave, 2800, 2900));
}

TEST_F(HeldHotKeyTest, AQuickSecondTapSeenUpByThePollIsANewPress) {
  EXPECT_TRUE(PressAt(1000));
  keys.down.clear();
  EXPECT_FALSE(held.Poll(1060));
  EXPECT_TRUE(PressAt(1090));
  EXPECT_TRUE(held.Poll(1105));
}

TEST_F(HeldHotKeyTest, AKeyWhoseReleaseNeverCameIsPressedAgainAfterAPause) {
  EXPECT_TRUE(PressAt(1000));
  // The key state stays down: its release went to a window that was hidden meanwhile.
  EXPECT_TRUE(held.Poll(3000));
  EXPECT_TRUE(PressAt(4000));
  EXPECT_FALSE(held.IsNewPress(0, kGrave, 4500, 4500));  // as a repeat would follow
  // However long a key is held, its repeats never leave such a pause.
  for (std::uint32_t tick = 4540; tick < 9000; tick += 40)
    EXPECT_FALSE(held.IsNewPress(0, kGrave, tick, tick)) << tick;
}

TEST_F(HeldHotKeyTest, MessagesWithTheSameMadeUpTimeAreStillSeparatePresses) {
  for (const std::uint32_t madeUp : {500u, 0xFFFF0000u}) {  // long past, or "in the future"
    SCOPED_TRACE(madeUp);
    HeldHotKey fresh{keys};
    keys.down.insert(kGrave);
    EXPECT_TRUE(fresh.IsNewPress(0, kGrave, madeUp, 100000));
    keys.down.clear();
    EXPECT_FALSE(fresh.Poll(100015));
    keys.down.insert(kGrave);
    EXPECT_TRUE(fresh.IsNewPress(0, kGrave, madeUp, 100400));
  }
}

TEST_F(HeldHotKeyTest, AnotherHotKeyWhileOneIsHeldIsTaken) {
  EXPECT_TRUE(PressAt(1000, kGrave, 0));
  EXPECT_TRUE(PressAt(1200, kF12, 2));
  // Polling follows the key taken last.
  keys.down.erase(kGrave);
  EXPECT_TRUE(held.Poll(1300));
  EXPECT_FALSE(held.IsNewPress(2, kF12, 1400, 1400));
}

TEST_F(HeldHotKeyTest, TheTickCounterWrappingBetweenReleaseAndPressDoesNotDropThePress) {
  EXPECT_TRUE(PressAt(0xFFFFFF00u));
  keys.down.clear();
  EXPECT_FALSE(held.Poll(0xFFFFFFF0u));
  EXPECT_TRUE(PressAt(0x20u));
  keys.down.clear();
  EXPECT_FALSE(held.Poll(0x40u));
  EXPECT_FALSE(held.IsNewPress(0, kGrave, 0x30u, 0x50u));
}

}  // namespace
}  // namespace dpx
