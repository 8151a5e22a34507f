// When each frame is due: a fixed 1/60 s schedule of absolute deadlines, shared by every host that paces itself.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

constexpr double FrameSeconds = 1.0 / 60.0;

// How far behind the game may fall and still make the time up: a frame's
// turn that comes later than this (a real stall, a hidden tab) starts the
// schedule again from that moment instead.
constexpr double CatchUpSeconds = 0.25;

// Frame k of a run is due at origin + k/60 s, so the small lateness of each
// wake-up never adds up. A host asks `take` whenever it could run frames:
// the desktop after sleeping until `nextDue`, the browser on every animation
// callback. On a display calling back 60 times a second or more, that is
// one frame or none while the callbacks keep coming.
// When a host's turn comes late (callbacks at 30 or 50 a second, a frame
// that overran) it runs every frame that is due, so the flier and the
// blocks, which move by the frame, keep pace with the story, which keeps
// the clock's time. Further behind than CatchUpSeconds, a burst of frames
// would fast-forward the game in front of the player: the schedule starts
// again from now instead.
class FrameSchedule {
public:
    // The first frame is due at `start`; `early` is how long before its
    // deadline a frame may run, to absorb the jitter of a display's callbacks
    // (none on the desktop, which sleeps until the deadline).
    explicit FrameSchedule(double start, double early = 0.0) : origin_(start), early_(early) {}

    // How many frames run at time `now`, none when the next is not yet due;
    // the schedule moves on past them.
    int take(double now) {
        const double due = nextDue();
        if (now < due - early_) return 0;
        if (now >= due + CatchUpSeconds) {  // too far behind: start again from now
            origin_ = now;
            taken_ = 1;
            return 1;
        }
        // Every frame due by now: the next one, and those after it whose
        // deadlines (less the slack) have passed too.
        const int count = 1 + static_cast<int>((now + early_ - due) / FrameSeconds);
        taken_ += count;
        return count;
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
