// A restartable stopwatch that reads time through the platform seam.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "shell/state/platform.h"

class Clock {
public:
    explicit Clock(const Platform& time) : time_(&time), start_(time.now()) {}

    // Seconds since creation or the last restart.
    float seconds() const { return static_cast<float>(time_->now() - start_); }
    void restart() { start_ = time_->now(); }

private:
    const Platform* time_;
    double start_;
};
