// The per-frame contact tests of the waves and the duel allocate nothing.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include "geometry/geometry.h"
#include "play/play.h"
#include "story/story.h"

#include "alloc_count.h"

#include <gtest/gtest.h>



TEST(Allocation, ContactTestsAndWaveStepsAllocateNothing) {
    Harness h;
    ASSERT_TRUE(h.start());
    Game& g = h.game();
    g.phase = 6;  // the largest wave: 131 blocks, 524 corner tests a frame
    for (Quad& b : g.waveShapes[5]) b.position.x = 400.f;

    const long before = allocationCount();
    for (int frame = 0; frame < 100; ++frame) {
        g.hitActive = false;
        stepWave(g);
        Quad copy = g.playerBox;
        (void)isInsideQuad(copy, 90.f, 310.f);
    }
    // The duel's touch, zone and chase tests.
    g.phase = -1;
    g.vexmorPresent = true;
    g.lightningShown = true;
    for (int frame = 0; frame < 100; ++frame) {
        g.hitActive = false;
        stepDuel(g);
    }
    EXPECT_EQ(allocationCount(), before);
}
