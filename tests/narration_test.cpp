// The narration timeline: open start windows, repeated starts, stalled frames, the silent start screen.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include "story/story.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {
struct NarrationTest : ::testing::Test {
    Harness h;  // the story clock starts with the game, at time 0
    double gateAt = 0;  // when the first arrow press restarted the story clock
    void SetUp() override { ASSERT_TRUE(h.start()); }

    // Presses an arrow and runs frames until the start gate has restarted the
    // story clock; returns when it did.
    static double openGate(Harness& run) {
        run.press(Key::Down);
        run.frame();  // the press is polled
        run.frame();  // the gate restarts the story clock
        run.release(Key::Down);
        return run.now();
    }
    // Every clip the timeline starts in `frames` frames.
    static std::map<Clip, int> countPlays(Harness& run, int frames) {
        std::map<Clip, int> plays;
        for (int frame = 0; frame < frames; ++frame) {
            run.frame();
            for (Clip c : run.last().clips) ++plays[c];
        }
        return plays;
    }
    // The clips the narration step of a steady run starts at a story clock
    // reading (the step before it read one frame earlier).
    std::vector<Clip> playsAt(double reading) {
        h.advance(gateAt + reading - Harness::Frame - h.now());
        narrate(h.game());
        h.advance(Harness::Frame);
        const std::size_t before = h.current().clips.size();
        narrate(h.game());
        return {h.current().clips.begin() + static_cast<std::ptrdiff_t>(before), h.current().clips.end()};
    }
};
}  // namespace

TEST_F(NarrationTest, StartWindowsAreOpen) {
    gateAt = openGate(h);
    EXPECT_TRUE(playsAt(22.0).empty());  // exactly t is not yet inside
    EXPECT_EQ(playsAt(22.03), std::vector<Clip>{Clip::ItIsMuch});
    EXPECT_TRUE(playsAt(22.06).empty());
    EXPECT_EQ(playsAt(235.01), std::vector<Clip>{Clip::NotEntirelyCertain});
    EXPECT_TRUE(playsAt(1000.0).empty());
}

TEST_F(NarrationTest, AtSixtyFramesEveryTimelineClipStartsTwoOrThreeTimes) {
    openGate(h);
    const std::map<Clip, int> plays = countPlays(h, 60 * 240);
    EXPECT_EQ(plays.size(), 13u);  // 14 and 15 belong to the duel and the win
    for (const auto& [clip, count] : plays) {
        EXPECT_GE(count, 2) << fileOf(clip);
        EXPECT_LE(count, 3) << fileOf(clip);
    }
    EXPECT_EQ(plays.count(Clip::AShockOf), 0u);
    EXPECT_EQ(plays.count(Clip::WithVexmorCooked), 0u);
}

// A frame that takes longer than a start window at the wrong moment starts
// the clips whose windows it jumped over, once each, on the frame that ends
// the stall; the next frames start none of them again.
TEST_F(NarrationTest, AStalledFrameStartsTheWindowsItJumpedOverOnceLate) {
    struct Case {
        const char* what;
        double stallFrom;  // story clock reading where the slow frame begins
        double stall;      // how long it takes
        std::vector<Clip> late;
    };
    const Case cases[] = {
        {"one window", 21.98, 0.1, {Clip::ItIsMuch}},
        {"two windows, in timeline order", 84.99, 7.2, {Clip::RainbowWonders, Clip::WithAFlash}},
        {"the first frame after the gate", 0.0, 0.3, {Clip::ABeautiful}},
        {"a stall that ends inside a window starts it as usual", 27.99, 0.05, {Clip::HeTurnsThe}},
        {"a stall between windows starts nothing", 40.0, 5.0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Harness run;
        ASSERT_TRUE(run.start());
        const double gate = openGate(run);
        while (run.now() - gate + Harness::Frame <= c.stallFrom) run.frame();
        run.setFrameSeconds(c.stallFrom - (run.now() - gate) + c.stall);
        run.frame();
        EXPECT_EQ(run.last().clips, c.late);
        run.setFrameSeconds(Harness::Frame);
        for (int frame = 0; frame < 60; ++frame) {
            run.frame();
            for (Clip clip : run.last().clips) {
                EXPECT_EQ(std::count(c.late.begin(), c.late.end(), clip), 0) << fileOf(clip) << " again";
            }
        }
    }
}

// Until the first arrow press nothing of the story is shown, so nothing of it
// is told, however long the start screen waits and however late the first
// frame comes; the press then starts the opening line as usual.
TEST_F(NarrationTest, TheStartScreenTellsNothingUntilTheFirstPress) {
    struct Case {
        const char* what;
        double firstFrame;  // how long start-up took
        int idleFrames;
    };
    const Case cases[] = {
        {"a minute and a half idle", Harness::Frame, 90 * 60},
        {"a first frame thirty seconds late", 30.0, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Harness run;
        ASSERT_TRUE(run.start());
        run.setFrameSeconds(c.firstFrame);
        run.frame();
        run.setFrameSeconds(Harness::Frame);
        int told = static_cast<int>(run.last().clips.size());
        for (int frame = 0; frame < c.idleFrames; ++frame) {
            run.frame();
            told += static_cast<int>(run.last().clips.size());
        }
        EXPECT_EQ(told, 0);
        openGate(run);
        std::map<Clip, int> plays = countPlays(run, 60 * 23);
        EXPECT_EQ(plays.size(), 2u);
        EXPECT_GE(plays[Clip::ABeautiful], 2);
        EXPECT_LE(plays[Clip::ABeautiful], 3);
        EXPECT_GE(plays[Clip::ItIsMuch], 2);
    }
}
