// Recording the live game frame by frame, and the time every clock reads in it.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/recorder.h"

#include "host/frame_schedule.h"

#include <cmath>
#include <utility>

RecordingPlatform::RecordingPlatform(Platform& game, std::ostream& out, std::function<void(RecordingStop)> stopped)
    : game_(game), out_(out), stopped_(std::move(stopped)), start_(game.now()) {}

void RecordingPlatform::check() {
    if (!writing_ || out_) return;
    writing_ = false;
    stopped_(RecordingStop::WriteFailed);
}

void RecordingPlatform::beginFrame() {
    if (frame_ == MostFrames && writing_) {  // a replay runs no further
        out_ << "end " << frame_ << '\n';
        out_.flush();
        writing_ = false;
        stopped_(RecordingStop::Full);
    }
    frame_ += 1;
    const double counted = time_ + FrameSeconds;  // what a replay reads without a clock line
    ClockReading reading{frame_, std::llround((game_.now() - start_) * 1e6)};
    if (reading.microseconds < 0) reading.microseconds = 0;
    if (reading.microseconds > MostMicroseconds) reading.microseconds = MostMicroseconds;
    const bool onTime = std::fabs(seconds(reading) - counted) <= OnTime;
    time_ = onTime ? counted : seconds(reading);
    if (!writing_) return;
    if (!onTime) writeLine(out_, reading);
    if (frame_ % 60 == 0) out_.flush();
    check();
}

bool RecordingPlatform::pollEvent(Event& event) {
    if (!game_.pollEvent(event)) return false;
    const InputEvent e{frame_, event.type, event.key};
    if (writing_ && writable(e)) {
        writeLine(out_, e);
        check();
    }
    return true;
}

void RecordingPlatform::play(Clip clip) {
    game_.play(clip);
    if (!writing_) return;
    out_ << "# " << frame_ << " clip " << fileOf(clip) << '\n';
    check();
}

void RecordingPlatform::finish() {
    if (!writing_) return;
    out_ << "end " << frame_ << '\n';
    out_.flush();
    check();
}
