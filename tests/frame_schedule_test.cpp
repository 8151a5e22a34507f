// The frame schedule: 60 frames a second whatever the callback rate, none skipped or doubled for jitter, stalls not made up.
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
    std::vector<int> after;  // frames run by the end of each callback
};

// Calls `take` at each callback time.
Tally drive(FrameSchedule& s, const std::vector<double>& callbacks) {
    Tally r;
    for (double t : callbacks) {
        const int n = s.take(t);
        r.frames += n;
        if (n == 0) ++r.callbacksWithoutFrame;
        r.after.push_back(r.frames);
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

TEST(FrameSchedule, SixtyFramesInEverySecondAtEveryCallbackRate) {
    struct Case {
        const char* name;
        double hz;
        std::vector<double> jitter;
        int mostPerCallback;  // frames one callback may run
    };
    const std::vector<double> ms2 = {0.002, -0.002, 0.0015, -0.001, 0.0, 0.0007, -0.0018};
    const Case cases[] = {
        // One frame a callback, or none: the path of every display at 60 Hz and above.
        {"60 Hz", 60, {0.0}, 1},
        {"60 Hz, callbacks 2 ms early and late", 60, {0.002, -0.002, 0.0015, -0.001}, 1},
        {"60 Hz, every callback 3 ms late", 60, {0.003}, 1},
        {"75 Hz", 75, {0.0}, 1},
        {"120 Hz", 120, {0.0}, 1},
        {"120 Hz with 1 ms jitter", 120, {0.001, -0.001}, 1},
        {"144 Hz", 144, {0.0}, 1},
        {"240 Hz", 240, {0.0}, 1},
        // Slower callbacks run every frame that is due.
        {"59.94 Hz", 59.94, ms2, 2},
        {"50 Hz", 50, ms2, 2},
        {"45 Hz", 45, ms2, 2},
        {"30 Hz", 30, ms2, 3},
        {"24 Hz", 24, ms2, 3},
        {"20 Hz", 20, ms2, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<double> times = display(c.hz, 10, c.jitter);
        FrameSchedule s(1.0, CallbackSlack);
        const Tally r = drive(s, times);
        // A frame at the first callback, then one every 60th of a second
        // till the last (600 in all at 60 Hz and above).
        EXPECT_NEAR(r.frames, 1 + 60 * (times.back() - times.front()), 1.001);
        // Every second of real time, from any callback to the one a second
        // later, holds 60 frames: never fewer (slow motion), never more (a
        // frame run twice, or run ahead of its time).
        const auto perSecond = static_cast<std::size_t>(std::lround(c.hz));
        for (std::size_t i = 0; i + perSecond < times.size(); ++i) {
            const double seconds = times[i + perSecond] - times[i];
            ASSERT_NEAR(r.after[i + perSecond] - r.after[i], 60 * seconds, 1.001) << "from callback " << i;
        }
        for (std::size_t i = 0; i < times.size(); ++i)
            ASSERT_LE(r.after[i] - (i > 0 ? r.after[i - 1] : 0), c.mostPerCallback) << "callback " << i;
    }
}

TEST(FrameSchedule, AJitteryDisplayNeverSkipsOrDoublesAFrame) {
    FrameSchedule s(1.0, CallbackSlack);
    const Tally r = drive(s, display(60, 60, {0.0, 0.0018, -0.0016, 0.0009, -0.002, 0.0012}));
    EXPECT_EQ(r.frames, 3600);
    EXPECT_EQ(r.callbacksWithoutFrame, 0);
}

TEST(FrameSchedule, ALateTurnCatchesUpAndAStallStartsTheScheduleAgain) {
    FrameSchedule s(0.0);
    for (int k = 0; k < 10; ++k) ASSERT_EQ(s.take(k * FrameSeconds), 1);
    // A frame a little late is followed at once, and the deadlines keep their places.
    EXPECT_EQ(s.take(10 * FrameSeconds + 0.010), 1);
    EXPECT_DOUBLE_EQ(s.nextDue(), 11 * FrameSeconds);
    EXPECT_EQ(s.take(11 * FrameSeconds + 0.001), 1);
    // 90 ms late: the six frames due by now run, none twice.
    EXPECT_EQ(s.take(12 * FrameSeconds + 0.09), 6);
    EXPECT_DOUBLE_EQ(s.nextDue(), 18 * FrameSeconds);
    EXPECT_EQ(s.take(18 * FrameSeconds), 1);
    // Half a second lost: one frame now, the next a frame later, no burst.
    EXPECT_EQ(s.take(0.9), 1);
    EXPECT_DOUBLE_EQ(s.nextDue(), 0.9 + FrameSeconds);
    EXPECT_EQ(s.take(0.9 + FrameSeconds / 2), 0);
    EXPECT_EQ(s.take(0.9 + FrameSeconds), 1);
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
