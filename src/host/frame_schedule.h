// When each frame is due: a fixed 1/60 s schedule of absolute deadlines, shared by every host that paces itself.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

constexpr double FrameSeconds = 1.0 / 60.0;

// Frame k of a run is due at origin + k/60 s, so the small lateness of each
// wake-up never adds up. A host asks `take` whenever it could run a frame:
// the desktop after sleeping until `nextDue`, the browser on every animation
// callback (at 60, 75, 120 or 144 Hz). When the game falls more than a frame
// behind (a stall, a hidden tab), the schedule starts again from that moment
// instead of racing through the missed frames: motion is counted per frame,
// so a burst of catch-up frames would fast-forward the flier and the blocks.
class FrameSchedule {
public:
    // The first frame is due at `start`; `early` is how long before its
    // deadline a frame may run, to absorb the jitter of a display's callbacks
    // (none on the desktop, which sleeps until the deadline).
    explicit FrameSchedule(double start, double early = 0.0) : origin_(start), early_(early) {}

    // Whether a frame runs at time `now`; if so the schedule moves on to the next.
    bool take(double now) {
        const double due = nextDue();
        if (now < due - early_) return false;
        if (now >= due + FrameSeconds) {  // more than a frame behind: start again from now
            origin_ = now;
            taken_ = 1;
        } else {
            taken_ += 1;
        }
        return true;
    }

    // When the next frame is due.
    double nextDue() const { return origin_ + static_cast<double>(taken_) * FrameSeconds; }

    // Leaves the time from `from` to `to` out of the schedule, as if it never
    // passed (a hidden browser tab).
    void pause(double from, double to) {
        if (to > from) origin_ += to - from;
    }

private:
    double origin_;
    double early_;
    long long taken_ = 0;
};

// How early a browser's animation callback may come and still run the
// frame due next: a quarter of a frame, more than a 60 Hz display's jitter,
// less than half the gap between a 144 Hz display's callbacks.
constexpr double CallbackSlack = FrameSeconds / 4.0;
