// The frame schedule: 60 frames a second whatever the callback rate, none skipped or doubled for jitter.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/frame_schedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct Tally {
    int frames = 0;
    int callbacksWithoutFrame = 0;
};

// Calls `take` at each callback time.
Tally drive(FrameSchedule& s, const std::vector<double>& callbacks) {
    Tally r;
    for (double t : callbacks) {
        if (s.take(t)) ++r.frames;
        else ++r.callbacksWithoutFrame;
    }
    return r;
}

// Callbacks at `hz` for `seconds`, each moved by a repeating pattern of jitter.
std::vector<double> display(double hz, double seconds, std::vector<double> jitter = {0.0}) {
    std::vector<double> times;
    for (int i = 0; i < static_cast<int>(std::lround(hz * seconds)); ++i)
        times.push_back(1.0 + i / hz + jitter[static_cast<std::size_t>(i) % jitter.size()]);
    return times;
}

TEST(FrameSchedule, SixtyFramesASecondAtEveryDisplayRate) {
    struct Case {
        const char* name;
        std::vector<double> callbacks;
        int frames;
    };
    const Case cases[] = {
        {"60 Hz", display(60, 10), 600},
        {"60 Hz, callbacks 2 ms early and late", display(60, 10, {0.002, -0.002, 0.0015, -0.001}), 600},
        {"60 Hz, every callback 3 ms late", display(60, 10, {0.003}), 600},
        {"75 Hz", display(75, 10), 600},
        {"120 Hz", display(120, 10), 600},
        {"120 Hz with 1 ms jitter", display(120, 10, {0.001, -0.001}), 600},
        {"144 Hz", display(144, 10), 600},
        {"240 Hz", display(240, 10), 600},
    };
    for (const Case& c : cases) {
        FrameSchedule s(1.0, CallbackSlack);
        const Tally r = drive(s, c.callbacks);
        EXPECT_NEAR(r.frames, c.frames, 1) << c.name;
    }
}

TEST(FrameSchedule, AJitteryDisplayNeverSkipsOrDoublesAFrame) {
    FrameSchedule s(1.0, CallbackSlack);
    const Tally r = drive(s, display(60, 60, {0.0, 0.0018, -0.0016, 0.0009, -0.002, 0.0012}));
    EXPECT_EQ(r.frames, 3600);
    EXPECT_EQ(r.callbacksWithoutFrame, 0);
}

TEST(FrameSchedule, AStallStartsTheScheduleAgainInsteadOfCatchingUp) {
    FrameSchedule s(0.0);
    for (int k = 0; k < 10; ++k) ASSERT_TRUE(s.take(k * FrameSeconds));
    // A frame a little late is followed at once, and the deadlines keep their places.
    EXPECT_TRUE(s.take(10 * FrameSeconds + 0.010));
    EXPECT_DOUBLE_EQ(s.nextDue(), 11 * FrameSeconds);
    EXPECT_TRUE(s.take(11 * FrameSeconds + 0.001));
    // Half a second lost: one frame now, the next a frame later, no burst.
    EXPECT_TRUE(s.take(0.7));
    EXPECT_DOUBLE_EQ(s.nextDue(), 0.7 + FrameSeconds);
    EXPECT_FALSE(s.take(0.7 + FrameSeconds / 2));
    EXPECT_TRUE(s.take(0.7 + FrameSeconds));
}

TEST(FrameSchedule, APauseLeavesItsTimeOut) {
    FrameSchedule s(0.0, CallbackSlack);
    for (int k = 0; k < 60; ++k) ASSERT_TRUE(s.take(k * FrameSeconds));
    s.pause(1.0, 11.0);  // hidden for ten seconds
    EXPECT_FALSE(s.take(10.9));
    EXPECT_TRUE(s.take(11.0));
    EXPECT_DOUBLE_EQ(s.nextDue(), 11.0 + FrameSeconds);
}

TEST(FrameSchedule, ADesktopSleepingToEachDeadlineKeepsExactTime) {
    // Wake-ups 0.1 to 1.9 ms late never add up: 3600 frames take 60 s.
    FrameSchedule s(0.0);
    double now = 0.0;
    for (int k = 0; k < 3600; ++k) {
        now = s.nextDue() + 0.0001 + 0.0018 * ((k * 7) % 10) / 9.0;
        ASSERT_TRUE(s.take(now));
    }
    EXPECT_NEAR(now, 3599 * FrameSeconds, 0.002);
}

}  // namespace
