// Playing a recorded input back: each frame's time and the key events of each frame's poll.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"
#include "host/input_script.h"

#include <deque>

// What a replay host asks of a recording, frame by frame. A frame with a
// clock reading reads that; any other runs exactly `frameSeconds` after the
// frame before, summed frame by frame as the headless harness does,
// whatever the machine does. A key event of frame n comes out of the polls
// of frame n, never earlier.
class RecordedInput {
public:
    RecordedInput(const InputScript& recording, double frameSeconds);

    // Before each frame runs: the next frame number and its time.
    void beginFrame();
    // The next key event due by this frame; false when none is.
    bool poll(Event& event);

    int frame() const { return frame_; }
    double now() const { return time_; }

private:
    std::deque<InputEvent> pending_;
    std::deque<ClockReading> readings_;
    double frameSeconds_;
    double time_ = 0.0;
    int frame_ = 0;
};
