// The event poll and its place in the frame: held keys, Return's timer, closing the window.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include <gtest/gtest.h>

using K = Key;

namespace {
struct InputTest : ::testing::Test {
    Harness h;
    void SetUp() override { ASSERT_TRUE(h.start()); }
    Game& g() { return h.game(); }
};
}  // namespace

TEST_F(InputTest, PressAndReleaseInOnePollLeavesTheKeyUp) {
    h.press(K::Left);
    h.release(K::Left);
    h.frame();
    EXPECT_FALSE(g().leftHeld);
    h.frame();
    EXPECT_EQ(g().playerBox.position, Vec2(80, 300));
}

TEST_F(InputTest, FlagsAreIndependent) {
    h.press(K::Left);
    h.press(K::Right);
    h.press(K::Up);
    h.press(K::Down);
    h.press(K::Return);
    h.frame();
    EXPECT_TRUE(g().leftHeld && g().rightHeld && g().upHeld && g().downHeld && g().enterHeld);
    h.frame();  // opposite keys cancel
    EXPECT_EQ(g().playerBox.position, Vec2(80, 300));

    h.release(K::Right);
    h.release(K::Return);
    h.frame();
    EXPECT_TRUE(g().leftHeld);
    EXPECT_FALSE(g().rightHeld);
    EXPECT_FALSE(g().enterHeld);
}

TEST_F(InputTest, OtherKeysAndEventsChangeNothing) {
    h.press(K::Escape);
    h.press(K::Space);
    h.press(K::Unknown);
    h.queue(Event{});  // a resize, a focus change: the host reports them as Other
    h.frames(3);
    EXPECT_TRUE(h.windowOpen());
    EXPECT_FALSE(g().leftHeld || g().rightHeld || g().upHeld || g().downHeld || g().enterHeld);
    EXPECT_EQ(g().playerBox.position, Vec2(80, 300));
}

TEST_F(InputTest, EveryReturnPressRestartsItsTimer) {
    h.frames(10);
    h.press(K::Return);
    h.frame();
    EXPECT_LT(g().enterClock.seconds(), 0.001f);
    h.frames(20);
    EXPECT_GT(g().enterClock.seconds(), 0.3f);
    h.repeat(K::Return);  // no release in between
    h.frame();
    EXPECT_LT(g().enterClock.seconds(), 0.001f);
    EXPECT_TRUE(g().enterHeld);
    h.release(K::Return);
    h.frames(5);
    EXPECT_GT(g().enterClock.seconds(), 0.08f);  // a release does not restart it
}

TEST_F(InputTest, CloseStillAppliesKeysAndDrawsThatFrame) {
    h.frames(3);
    h.requestClose();
    h.press(K::Down);
    h.press(K::Return);
    ASSERT_TRUE(h.frame());
    EXPECT_FALSE(h.windowOpen());
    EXPECT_TRUE(g().downHeld);
    EXPECT_TRUE(g().enterHeld);
    EXPECT_EQ(h.last().displays, 1);
    EXPECT_FALSE(h.last().draws.empty());
    const int ran = h.frameCount();
    EXPECT_FALSE(h.frame());  // the loop ends at its next check
    EXPECT_EQ(h.frameCount(), ran);
}

TEST_F(InputTest, AKeyHeldFromTheStartMovesFromTheSecondFrame) {
    h.press(K::Right);
    h.frame();
    EXPECT_EQ(g().playerBox.position.x, 80.f);
    h.frame();
    EXPECT_EQ(g().playerBox.position.x, 83.f);
}

TEST_F(InputTest, RunGameEndsWhenTheWindowCloses) {
    h.requestClose();
    h.press(K::Up);
    runGame(g());
    EXPECT_EQ(h.totalDisplays(), 1);
    EXPECT_TRUE(g().upHeld);
}
