// The obstacle waves: layouts from the tables, the scroll, and which block positions count as a hit.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include "play/play.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {
struct WavesTest : ::testing::Test {
    Harness h{99};
    void SetUp() override { ASSERT_TRUE(h.start()); }
    Game& g() { return h.game(); }
    std::vector<Quad>& wave(int k) { return g().waveShapes[static_cast<std::size_t>(k - 1)]; }
    std::vector<Sprite>& pictures(int k) { return g().waveSprites[static_cast<std::size_t>(k - 1)]; }
};
}  // namespace

TEST_F(WavesTest, BlockCounts) {
    const std::vector<std::size_t> expected{9, 25, 50, 38, 115, 131, 110};
    ASSERT_EQ(g().waveShapes.size(), 7u);
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(wave(k).size(), expected[static_cast<std::size_t>(k - 1)]) << "wave " << k;
        EXPECT_EQ(pictures(k).size(), wave(k).size());
    }
}

TEST_F(WavesTest, FixedLayouts) {
    for (std::size_t i = 0; i < 9; ++i) {  // wave 1: the training course
        EXPECT_EQ(wave(1)[i].position, Vec2(1200.f + 400.f * i, 300.f));
        EXPECT_EQ(pictures(1)[i].picture, Picture::TrainingColumn);
    }
    // Wave 2's middle slots squeeze in between slots 5 and 8; 20-24 trail far behind.
    const std::vector<float> xs{2800, 2960, 3120, 3280, 3440, 2400, 2480, 2560, 2640, 2720,
                                9200, 9600, 10000, 10400, 10800};
    for (std::size_t i = 0; i < xs.size(); ++i) EXPECT_EQ(wave(2)[10 + i].position.x, xs[i]);

    // Wave 3, slot 0: both blocks of the opening pair on one spot.
    EXPECT_EQ(wave(3)[0].position, Vec2(1200, 300));
    EXPECT_EQ(wave(3)[1].position, Vec2(1200, 300));
    EXPECT_EQ(wave(3)[2].position, Vec2(1360, 270));
    EXPECT_EQ(wave(3)[3].position, Vec2(1360, 330));
    EXPECT_EQ(wave(3)[49].position, Vec2(1200 + 160 * 24, 550));  // slot 24, m = 0

    // Wave 5: ten triples, then slots 10-19 are empty, so slot 20's pair follows.
    EXPECT_EQ(wave(5)[0].position, Vec2(1200, 300));
    EXPECT_EQ(wave(5)[1].position, Vec2(1200, 420));
    EXPECT_EQ(wave(5)[2].position, Vec2(1200, 180));
    EXPECT_EQ(wave(5)[29].position.x, 1200.f + 160 * 9);
    EXPECT_EQ(wave(5)[30].position, Vec2(1200 + 160 * 20, 100));

    // Wave 6: the closing pairs of slots 15-19 and the alternating pictures of 0-9.
    EXPECT_EQ(wave(6)[20 + 5].position, Vec2(1200 + 160 * 15, 150));
    EXPECT_EQ(wave(6)[20 + 6].position, Vec2(1200 + 160 * 15, 450));
    EXPECT_EQ(pictures(6)[0].picture, Picture::NightdartBest);
    EXPECT_EQ(pictures(6)[2].picture, Picture::BestGriffin);

    // Wave 7 cycles its five pictures with the slot, whatever the formation.
    const std::vector<Picture> cycle{Picture::Column, Picture::Enemy, Picture::NewColumn,
                                     Picture::Nightdart, Picture::Kestra};
    for (std::size_t slot = 0; slot < 10; ++slot) EXPECT_EQ(pictures(7)[2 * slot].picture, cycle[slot % 5]);
    EXPECT_EQ(pictures(7)[20].picture, Picture::Column);  // slot 10, first of a triple
    EXPECT_EQ(pictures(7)[23].picture, Picture::Enemy);   // slot 11
}

TEST_F(WavesTest, RandomHeightsFollowTheDrawOrder) {
    std::srand(99);
    std::vector<int> draws;
    for (int i = 0; i < 94; ++i) draws.push_back(std::rand() % 560);
    for (std::size_t i = 0; i < 25; ++i) EXPECT_EQ(wave(2)[i].position.y, static_cast<float>(draws[i]));
    EXPECT_EQ(wave(4)[12].position.y, static_cast<float>(draws[25]));  // slot 6, after six pairs

    std::set<float> heights;
    for (const auto& w : g().waveShapes)
        for (const Quad& b : w) {
            heights.insert(b.position.y);
            EXPECT_EQ(b.position.y, static_cast<float>(static_cast<int>(b.position.y)));
        }
    // Random heights keep the whole block above the bottom edge.
    std::vector<const Quad*> singles;
    for (const Quad& b : wave(2)) singles.push_back(&b);
    for (std::size_t j = 50; j < 60; ++j) singles.push_back(&wave(7)[j]);
    for (std::size_t j = 100; j < 110; ++j) singles.push_back(&wave(7)[j]);
    for (const Quad* b : singles) {
        EXPECT_GE(b->position.y, 0.f);
        EXPECT_LE(b->position.y, 559.f);
    }

    Harness again{99};
    ASSERT_TRUE(again.start());
    for (std::size_t w = 0; w < 7; ++w)
        for (std::size_t j = 0; j < g().waveShapes[w].size(); ++j)
            EXPECT_EQ(again.game().waveShapes[w][j].position, g().waveShapes[w][j].position);
}

TEST_F(WavesTest, OnlyTheCurrentWaveScrolls) {
    g().phase = 1;
    stepWave(g());
    EXPECT_EQ(wave(1)[0].position, Vec2(1195, 300));
    EXPECT_EQ(wave(1)[8].position, Vec2(4395, 300));
    EXPECT_EQ(pictures(1)[8].position, Vec2(4395, 300));
    EXPECT_EQ(wave(2)[0].position.x, 1200.f);
    EXPECT_EQ(pictures(2)[0].position, wave(2)[0].position);  // on its block from the start, not moved
}

TEST_F(WavesTest, FirstTrainingColumnHitsInThe216thStep) {
    g().phase = 1;
    for (int step = 1; step <= 215; ++step) {
        stepWave(g());
        ASSERT_FALSE(g().hitActive) << "step " << step;
    }
    stepWave(g());
    EXPECT_TRUE(g().hitActive);
    EXPECT_EQ(wave(1)[0].position.x, 120.f);
}

TEST_F(WavesTest, TouchingIsNotOverlapping) {
    g().phase = 1;
    wave(1)[0].position = Vec2(130, 300);  // steps to 125: left corners on the box's edge
    stepWave(g());
    EXPECT_FALSE(g().hitActive);
    wave(1)[0].position = Vec2(129, 300);  // steps to 124: one pixel of overlap
    stepWave(g());
    EXPECT_TRUE(g().hitActive);

    g().hitActive = false;
    wave(1)[0].position = Vec2(105, 345 + 0);  // top edge on the box's bottom edge
    stepWave(g());
    EXPECT_FALSE(g().hitActive);
}

TEST_F(WavesTest, NothingIsTestedWhileAHitRuns) {
    g().phase = 1;
    startHit(g());
    h.advance(1.0);
    for (Quad& b : wave(1)) b.position = Vec2(100, 300);  // right on the player
    stepWave(g());
    EXPECT_FLOAT_EQ(g().hitClock.seconds(), 1.f);  // not restarted
}

TEST_F(WavesTest, HitsComeFromTheFlyingWaveOnly) {
    g().phase = 2;
    wave(1)[0].position = Vec2(85, 300);
    stepWave(g());
    EXPECT_FALSE(g().hitActive);
}
