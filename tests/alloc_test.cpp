// The per-frame contact tests of the waves and the duel allocate nothing.
#include "harness.h"

#include "geometry/geometry.h"
#include "play/play.h"
#include "story/story.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST(Allocation, ContactTestsAndWaveStepsAllocateNothing) {
    Harness h;
    ASSERT_TRUE(h.start());
    Game& g = h.game();
    g.phase = 6;  // the largest wave: 131 blocks, 524 corner tests a frame
    for (Quad& b : g.waveShapes[5]) b.position.x = 400.f;

    const long before = allocations.load();
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
    EXPECT_EQ(allocations.load(), before);
}
