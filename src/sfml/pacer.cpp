// The monotonic clock, the absolute-time sleep and the pacing of the window's frames.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/pacer.h"

#include <cerrno>
#include <cmath>

namespace {
constexpr long NanosPerSecond = 1'000'000'000L;
}

timespec timeAfter(const timespec& start, double seconds) {
    const double whole = std::floor(seconds);
    long long sec = static_cast<long long>(start.tv_sec) + static_cast<long long>(whole);
    long long nsec = static_cast<long long>(start.tv_nsec) + std::llround((seconds - whole) * 1e9);
    sec += nsec / NanosPerSecond;
    nsec %= NanosPerSecond;
    timespec at{};
    at.tv_sec = static_cast<time_t>(sec);
    at.tv_nsec = static_cast<long>(nsec);
    return at;
}

MonotonicClock::MonotonicClock() { clock_gettime(CLOCK_MONOTONIC, &start_); }

double MonotonicClock::seconds() const {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec - start_.tv_sec) +
           static_cast<double>(now.tv_nsec - start_.tv_nsec) / 1e9;
}

void MonotonicClock::sleepUntil(double seconds) const {
    const timespec at = timeAfter(start_, seconds);
    // An absolute deadline: a signal that wakes us early just sleeps again
    // towards the same moment.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

void Pacer::frameShown() {
    if (!started_) {  // the schedule starts with the first frame shown
        const double now = clock_.seconds();
        schedule_ = FrameSchedule(now);
        schedule_.take(now);
        started_ = true;
    }
    if (owed_ > 1) {  // the next owed frame runs at once
        owed_ -= 1;
        return;
    }
    // Behind schedule the frames due run at once; further behind than a
    // quarter of a second, the schedule starts again from now.
    while ((owed_ = schedule_.take(clock_.seconds())) == 0) clock_.sleepUntil(schedule_.nextDue());
}
