// The window's pacing: absolute deadlines that late wake-ups never push back, overruns made up, stalls not.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/pacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Time that moves only when a frame works or the pacer sleeps; every sleep
// wakes `lateBy` after its deadline.
struct FakeClock final : PaceClock {
    mutable double now = 100.0;
    double lateBy = 0.0;
    double seconds() const override { return now; }
    void sleepUntil(double t) const override {
        if (t > now) now = t + lateBy;
    }
};

TEST(Pacer, FramesStartOnTheirDeadlinesWhateverEachWakeUpCosts) {
    struct Case {
        const char* name;
        double lateBy;
        std::vector<double> work;    // how long frames 2, 3, ... take before they are shown
        std::vector<double> starts;  // when frames 3, 4, ... start, in frames after the first was shown
                                     // (1 ms is 0.06 frames)
        int unpainted;               // frames run to catch up that nobody sees
    };
    const Case cases[] = {
        {"steady", 0.0, {0.005, 0.005, 0.005, 0.005}, {2, 3, 4, 5}, 0},
        {"every wake-up 1 ms late: it never adds up", 0.001, {0.005, 0.005, 0.005, 0.005},
         {2.06, 3.06, 4.06, 5.06}, 0},
        {"an overrun is followed at once, then the schedule holds", 0.0, {0.005, 0.025, 0.005, 0.005},
         {2, 3.5, 4, 5}, 0},
        // Frames 4 to 6 were due by the end of frame 3, frame 7 by the end of
        // frame 6: they run back to back, and only the last of each run is painted.
        {"the frames an overrun cost run back to back", 0.0, {0.005, 0.060, 0.005, 0.005, 0.005, 0.005, 0.005},
         {2, 5.6, 5.9, 6.2, 6.5, 7, 8}, 2},
        {"a stall starts the schedule again from its end", 0.0, {0.005, 0.300, 0.005, 0.005},
         {2, 20, 21, 22}, 0},
    };
    constexpr double frame = 1.0 / 60.0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock;
        clock.lateBy = c.lateBy;
        Pacer pacer(clock);
        const double first = clock.now;
        pacer.frameShown();  // the first frame; the second starts a frame later
        EXPECT_NEAR((clock.now - first) / frame, 1.0 + c.lateBy / frame, 1e-6);
        int unpainted = 0;
        for (std::size_t i = 0; i < c.work.size(); ++i) {
            clock.now += c.work[i];
            if (pacer.catchingUp()) ++unpainted;
            pacer.frameShown();
            EXPECT_NEAR((clock.now - first) / frame, c.starts[i], 1e-6) << "frame " << i + 2;
        }
        EXPECT_EQ(unpainted, c.unpainted);
    }
}

TEST(Pacer, DeadlinesBecomeAbsoluteTimesWithTheNanosecondsCarried) {
    struct Case {
        timespec start;
        double after;
        timespec expected;
    };
    const Case cases[] = {
        {{0, 0}, 1.0 / 60.0, {0, 16'666'667}},
        {{5, 500'000'000}, 1.75, {7, 250'000'000}},
        {{5, 999'999'999}, 1e-9, {6, 0}},
        {{10, 999'999'000}, 2.5, {13, 499'999'000}},
        {{1'000'000, 0}, 3600.0 + 1.0 / 60.0, {1'003'600, 16'666'667}},
    };
    for (const Case& c : cases) {
        const timespec at = timeAfter(c.start, c.after);
        EXPECT_EQ(at.tv_sec, c.expected.tv_sec) << c.start.tv_sec << " + " << c.after;
        EXPECT_EQ(at.tv_nsec, c.expected.tv_nsec) << c.start.tv_sec << " + " << c.after;
    }
}

}  // namespace
