// The duel: what each kind of touch costs, arming and landing a strike, the chase, the sink and the cloud.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include "story/story.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
struct DuelTest : ::testing::Test {
    Harness h{8};
    void SetUp() override {
        ASSERT_TRUE(h.start());
        g().phase = -1;
        g().vexmorPresent = true;
        g().lightningShown = true;
        g().sinkLaunched = true;
        centreLightning(g());
    }
    Game& g() { return h.game(); }
    int clip14Starts() const {
        int n = 0;
        for (Clip c : h.last().clips) n += c == Clip::AShockOf;
        return n;
    }
    // Touches the cloud, then taps Return once.
    void armAndTap() {
        g().playerBox.position = Vec2(450, 320);
        h.frame();
        ASSERT_TRUE(g().lightningArmed);
        g().playerBox.position = Vec2(20, 20);
        h.press(Key::Return);
        h.frame();
        h.release(Key::Return);
    }
};
}  // namespace

TEST_F(DuelTest, WhatATouchCosts) {
    struct Case {
        Vec2 player;
        int livesAtOnce;
    };
    // Vexmor's box is (600, 300) to (630, 380).
    const Case cases[] = {
        {{610, 310}, 10},  // the player's top-left corner inside Vexmor: one life, later
        {{580, 280}, 9},   // Vexmor's top-left corner inside the player: one now, one later
        {{570, 320}, 10},  // only the player's right corners inside: one life, later
    };
    for (const Case& c : cases) {
        g().hitActive = false;
        g().playerLives = 10;
        g().vexmorBox.position = g().vexmorSprite.position = Vec2(600, 300);
        g().playerBox.position = c.player;
        stepDuel(g());
        EXPECT_TRUE(g().hitActive) << c.player.x;
        EXPECT_EQ(g().playerLives, c.livesAtOnce) << c.player.x;
    }
    g().hitActive = true;  // blinking: no touch counts
    g().playerLives = 10;
    g().vexmorBox.position = Vec2(600, 300);
    g().playerBox.position = Vec2(580, 280);
    stepDuel(g());
    EXPECT_EQ(g().playerLives, 10);
}

TEST_F(DuelTest, VexmorClosesInAtOneAndAQuarterPixelsPerAxis) {
    g().vexmorBox.position = Vec2(600, 300);
    g().playerBox.position = Vec2(80, 300);
    stepDuel(g());
    EXPECT_EQ(g().vexmorBox.position, Vec2(598.75f, 300));
    EXPECT_EQ(g().vexmorSprite.position, g().vexmorBox.position);
    g().playerBox.position = Vec2(700, 100);
    stepDuel(g());
    EXPECT_EQ(g().vexmorBox.position, Vec2(600, 298.75f));
}

TEST_F(DuelTest, BlinkingPlayerCannotArmAStrike) {
    g().hitActive = true;
    g().playerBox.position = Vec2(450, 320);
    stepDuel(g());
    EXPECT_FALSE(g().lightningArmed);
    g().hitActive = false;
    g().playerBox.position = Vec2(370, 280);  // overlapping the zone's top-left corner
    stepDuel(g());
    EXPECT_TRUE(g().lightningArmed);
}

TEST_F(DuelTest, StrikeLandsHalfASecondAfterTheLastReturnPress) {
    armAndTap();
    EXPECT_FALSE(g().flashOn);  // Return is polled after the story step
    h.frame();
    EXPECT_TRUE(g().flashOn);
    EXPECT_EQ(clip14Starts(), 1);
    h.frames(10);
    h.repeat(Key::Return);  // a new press puts the strike off again
    h.frame();
    h.release(Key::Return);
    const double pressed = h.now();
    std::srand(77);
    const int x = std::rand() % 600;
    const int y = std::rand() % 500;
    std::srand(77);
    while (g().vexmorLives == 5) h.frame();
    EXPECT_GT(h.now() - pressed, 0.5);
    EXPECT_LT(h.now() - pressed, 0.5 + 2 * Harness::Frame);
    EXPECT_FALSE(g().flashOn);
    EXPECT_FALSE(g().lightningArmed);
    EXPECT_EQ(g().lightningZone.position, Vec2(x, y));
    EXPECT_EQ(g().lightningSprite.position, g().lightningZone.position);
    h.frame();
    EXPECT_EQ(g().vexmorLifeIcons.size(), 4u);

    // Later strikes are silent.
    g().vexmorBox.position = Vec2(700, 500);
    centreLightning(g());
    armAndTap();
    h.frame();
    EXPECT_TRUE(g().flashOn);
    EXPECT_EQ(clip14Starts(), 0);
}

TEST_F(DuelTest, TheFifthStrikeStartsTheWinAtOnce) {
    g().vexmorLives = 1;
    g().vexmorBox.position = g().vexmorSprite.position = Vec2(700, 500);
    armAndTap();
    while (g().vexmorLives == 1) h.frame();
    EXPECT_EQ(g().phase, -2);
    EXPECT_EQ(g().vexmorSprite.picture, Picture::Void);  // the win's first frame already ran
    // Vexmor's side view stays where he stood; the vanishing picture starts to rise.
    EXPECT_EQ(g().cloudPrototype.picture, Picture::VexmorBestSide);
    EXPECT_EQ(g().cloudPrototype.position, g().vexmorBox.position);
    EXPECT_EQ(g().vexmorSprite.position.y, g().vexmorBox.position.y - 5);
    EXPECT_FALSE(g().showWinScreen);
    const float vanishFrom = g().vexmorSprite.position.y;
    h.frames(10);
    EXPECT_EQ(g().vexmorSprite.position.y, vanishFrom - 50);
}

TEST_F(DuelTest, TheCloudComesBackToTheCentreAfterTenQuietSeconds) {
    g().lightningZone.position = Vec2(12, 34);
    g().vexmorBox.position = Vec2(700, 500);
    g().phaseClock.restart();
    while (g().lightningZone.position.x == 12.f && h.frameCount() < 1000) h.frame();
    EXPECT_NEAR(g().phaseClock.seconds(), 0.0, 1e-6);
    EXPECT_NEAR(h.frameCount(), 601, 1);
    EXPECT_EQ(g().lightningSprite.position, Vec2(400, 300));
}

TEST_F(DuelTest, TheSinkFliesInFromBeyondTheRightEdge) {
    g().sinkLaunched = false;
    g().vexmorPresent = false;
    g().lightningShown = false;
    g().phaseClock.restart();
    while (!g().sinkLaunched) h.frame();
    EXPECT_EQ(g().sinkSprite.position, Vec2(999, 350));  // drawn once, then drifted
    h.frames(199);
    EXPECT_EQ(g().sinkSprite.position.x, 800.f);
}
