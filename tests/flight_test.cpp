// Kestra's flight: step sizes and the push-back at each edge of the window.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include <gtest/gtest.h>

using K = Key;

namespace {
struct FlightTest : ::testing::Test {
    Harness h;
    void SetUp() override { ASSERT_TRUE(h.start()); }
    Game& g() { return h.game(); }
    Vec2 box() { return g().playerBox.position; }
    // Holds a key; the press reaches the flight step from the next frame on.
    void hold(Key k) {
        h.press(k);
        h.frame();
    }
};
}  // namespace

TEST_F(FlightTest, RightEdgeCyclesWithoutClamping) {
    hold(K::Right);
    h.frames(227);
    EXPECT_EQ(box().x, 761.f);
    std::vector<float> xs;
    for (int i = 0; i < 8; ++i) {
        h.frame();
        xs.push_back(box().x);
    }
    EXPECT_EQ(xs, (std::vector<float>{760, 763, 762, 761, 760, 763, 762, 761}));
    EXPECT_EQ(g().playerSprite.position, box());
}

TEST_F(FlightTest, TopEdgeCycles) {
    hold(K::Up);
    h.frames(60);
    EXPECT_EQ(box().y, 0.f);
    std::vector<float> ys;
    for (int i = 0; i < 7; ++i) {
        h.frame();
        ys.push_back(box().y);
    }
    EXPECT_EQ(ys, (std::vector<float>{-5, -4, -3, -2, -1, 0, -5}));
}

TEST_F(FlightTest, BottomAndLeftEdgesCycle) {
    hold(K::Down);
    hold(K::Left);
    h.frames(200);
    std::vector<Vec2> seen;
    for (int i = 0; i < 6; ++i) {
        h.frame();
        seen.push_back(box());
    }
    for (const Vec2& p : seen) {
        EXPECT_GE(p.x, -3.f);
        EXPECT_LE(p.x, 0.f);
        EXPECT_GE(p.y, 555.f);
        EXPECT_LE(p.y, 560.f);
    }
}

TEST_F(FlightTest, OutsideTheFieldItCreepsBackAPixelAFrame) {
    g().playerBox.position = Vec2(-1, 556);
    h.frame();
    EXPECT_EQ(box(), Vec2(0, 555));
    h.frames(3);
    EXPECT_EQ(box(), Vec2(0, 555));

    // Far beyond any int: still pushed back (a step too small to show).
    g().playerBox.position = Vec2(-1e10f, 1e10f);
    h.frame();
    EXPECT_GE(box().x, -1e10f);
    EXPECT_LE(box().y, 1e10f);
}

TEST_F(FlightTest, EdgePushBackOverridesKeys) {
    g().playerBox.position = Vec2(300, -40);
    hold(K::Up);  // ignored while above the top
    EXPECT_EQ(box().y, -39.f);
    h.frame();
    EXPECT_EQ(box().y, -38.f);
}

TEST_F(FlightTest, DiagonalIsNotNormalised) {
    hold(K::Down);
    hold(K::Right);
    h.frames(10);
    // The first held frame moved down only.
    EXPECT_EQ(box(), Vec2(80 + 3 * 10, 300 + 5 * 11));
}
