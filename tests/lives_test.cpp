// Hits and lives: the blink schedule, the icon rows, and the defeated flier's rise.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include "play/play.h"

#include <gtest/gtest.h>

namespace {
struct LivesTest : ::testing::Test {
    Harness h;
    void SetUp() override { ASSERT_TRUE(h.start()); }
    Game& g() { return h.game(); }

    // Runs a whole hit from contact to its lost life; returns frames taken.
    int completeHit() {
        startHit(g());
        return h.framesWhile([&] { return g().hitActive; }, 1000);
    }
};

bool shownAt(float t) { return (t >= 0.5f && t < 1.0f) || (t >= 1.5f && t < 2.0f); }
}  // namespace

TEST_F(LivesTest, BlinkScheduleThenTheLifeGoes) {
    h.frame();
    startHit(g());
    int frames = 0;
    while (g().hitActive && frames < 200) {
        h.frame();
        ++frames;
        const float t = g().hitClock.seconds();  // the reading this frame's step saw
        if (t < 2.0f) {
            ASSERT_TRUE(g().hitActive);
            EXPECT_EQ(g().playerShown, shownAt(t)) << "t = " << t;
            EXPECT_EQ(g().playerLives, 10);
        } else {
            EXPECT_FALSE(g().hitActive);
            EXPECT_EQ(g().playerLives, 9);
        }
    }
    EXPECT_NEAR(frames, 120, 1);
    EXPECT_EQ(g().playerLifeIcons.size(), 10u);  // the icon goes in the next frame
    EXPECT_TRUE(g().playerShown);                // left as the last interval set it
    h.frame();
    ASSERT_EQ(g().playerLifeIcons.size(), 9u);
    EXPECT_EQ(g().playerLifeIcons.back().position.x, 625.f);
}

TEST_F(LivesTest, TheEleventhLostLifeDefeatsTheFlier) {
    for (int i = 0; i < 10; ++i) completeHit();
    h.frame();
    EXPECT_EQ(g().playerLives, 0);
    EXPECT_TRUE(g().playerLifeIcons.empty());
    EXPECT_EQ(g().playerSprite.picture, Picture::KestraCute);
    EXPECT_EQ(g().playerBox.position, Vec2(80, 300));

    completeHit();
    EXPECT_EQ(g().playerLives, -1);
    EXPECT_EQ(g().playerBox.position.y, 300.f);  // the rise starts with the next frame
    h.frame();
    EXPECT_EQ(g().playerSprite.picture, Picture::KestraCuteFlip);
    EXPECT_EQ(g().playerBox.position.y, 297.f);
}

TEST_F(LivesTest, DefeatedFlierRisesOutOfTheWindow) {
    g().playerLives = -1;
    h.frames(100);
    EXPECT_EQ(g().playerBox.position.y, 0.f);
    h.frame();
    EXPECT_EQ(g().playerBox.position.y, -2.f);
    h.press(Key::Down);  // keys cannot bring it back
    h.frames(3);
    EXPECT_EQ(g().playerBox.position.y, -8.f);
    EXPECT_EQ(g().playerSprite.picture, Picture::KestraCuteFlip);
}

TEST_F(LivesTest, IconRowsShrinkOneAFrame) {
    g().playerLives = 7;
    g().vexmorLives = 3;
    h.frame();
    EXPECT_EQ(g().playerLifeIcons.size(), 9u);
    EXPECT_EQ(g().vexmorLifeIcons.size(), 4u);
    EXPECT_EQ(g().vexmorLifeIcons.back().position.x, 525.f);
    h.frames(5);
    EXPECT_EQ(g().playerLifeIcons.size(), 7u);
    EXPECT_EQ(g().vexmorLifeIcons.size(), 3u);

    g().vexmorLives = 0;
    g().playerLives = -5;  // read unsigned: a negative count trims nothing
    h.frames(5);
    EXPECT_TRUE(g().vexmorLifeIcons.empty());
    EXPECT_EQ(g().playerLifeIcons.size(), 7u);
}

TEST_F(LivesTest, ANewHitRightAfterOneEnds) {
    completeHit();
    EXPECT_EQ(g().playerLives, 9);
    startHit(g());
    h.frame();
    EXPECT_TRUE(g().hitActive);
    EXPECT_FALSE(g().playerShown);
}
