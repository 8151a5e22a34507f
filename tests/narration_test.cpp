// The narration timeline: open start windows, repeated starts, missed windows.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include "story/story.h"

#include <gtest/gtest.h>

#include <map>

namespace {
struct NarrationTest : ::testing::Test {
    Harness h;  // the story clock starts with the game, at time 0
    void SetUp() override { ASSERT_TRUE(h.start()); }
    std::vector<Clip> playsAt(double reading) {
        h.advance(reading - h.now());
        const std::size_t before = h.current().clips.size();
        narrate(h.game());
        return {h.current().clips.begin() + static_cast<std::ptrdiff_t>(before), h.current().clips.end()};
    }
};
}  // namespace

TEST_F(NarrationTest, StartWindowsAreOpen) {
    EXPECT_TRUE(playsAt(22.0).empty());  // exactly t is not yet inside
    EXPECT_EQ(playsAt(22.03), std::vector<Clip>{Clip::ItIsMuch});
    EXPECT_TRUE(playsAt(22.06).empty());
    EXPECT_EQ(playsAt(235.01), std::vector<Clip>{Clip::NotEntirelyCertain});
    EXPECT_TRUE(playsAt(1000.0).empty());
}

TEST_F(NarrationTest, AtSixtyFramesEveryTimelineClipStartsTwoOrThreeTimes) {
    std::map<Clip, int> plays;
    for (int frame = 0; frame < 60 * 240; ++frame) {
        h.frame();
        for (Clip c : h.last().clips) ++plays[c];
    }
    EXPECT_EQ(plays.size(), 13u);  // 14 and 15 belong to the duel and the win
    for (const auto& [clip, count] : plays) {
        EXPECT_GE(count, 2) << fileOf(clip);
        EXPECT_LE(count, 3) << fileOf(clip);
    }
    EXPECT_EQ(plays.count(Clip::AShockOf), 0u);
    EXPECT_EQ(plays.count(Clip::WithVexmorCooked), 0u);
}

TEST_F(NarrationTest, AStallAcrossAWindowLosesThatClip) {
    int secondClip = 0;
    int thirdClip = 0;
    while (h.now() < 21.98) h.frame();
    h.setFrameSeconds(0.1);  // one slow frame jumps over 22.00 .. 22.05
    h.frame();
    h.setFrameSeconds(Harness::Frame);
    while (h.now() < 30) {
        h.frame();
        for (Clip c : h.last().clips) {
            secondClip += c == Clip::ItIsMuch;
            thirdClip += c == Clip::HeTurnsThe;
        }
    }
    EXPECT_EQ(secondClip, 0);
    EXPECT_GE(thirdClip, 2);
}
