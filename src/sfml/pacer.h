// Holds the window to 60 frames a second: an absolute-deadline sleep on the monotonic clock after each frame.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "host/frame_schedule.h"

#include <ctime>

// A clock the pacer can read and sleep on.
class PaceClock {
public:
    virtual ~PaceClock() = default;
    virtual double seconds() const = 0;
    // Sleeps until this clock reads `seconds` (at once if it already does).
    virtual void sleepUntil(double seconds) const = 0;
};

// Seconds on the system's monotonic clock since this clock was made. The
// game's clocks read it, and the pacer sleeps on it, so both agree.
class MonotonicClock final : public PaceClock {
public:
    MonotonicClock();
    double seconds() const override;
    void sleepUntil(double seconds) const override;

private:
    timespec start_{};
};

// The absolute time `seconds` after `start`, with the nanoseconds carried.
timespec timeAfter(const timespec& start, double seconds);

// Paces the frames by a fixed schedule of deadlines: frame k is due k/60 s
// after the first, so the small lateness of each wake-up never adds up.
// After an overrun the frames it cost run back to back, unpainted but the last.
class Pacer {
public:
    explicit Pacer(const PaceClock& clock) : clock_(clock) {}
    // Called right after a frame is shown: sleeps until the next one is due,
    // at once when frames are owed.
    void frameShown();
    // Whether the frame now running is owed and another owed one follows it
    // at once: nobody would see it, so it need not be painted.
    bool catchingUp() const { return owed_ > 1; }

private:
    const PaceClock& clock_;
    FrameSchedule schedule_{0.0};
    int owed_ = 0;  // frames due, counting the one running, still to run back to back
    bool started_ = false;
};
