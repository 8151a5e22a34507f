// A live game's recording, written as it plays: the seed, every key press and release, the clock where it strays.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "host/input_script.h"
#include "shell/state/platform.h"

#include <functional>
#include <ostream>

// Wraps the live game's platform. Every clock of the game reads one time all
// through a frame, taken when the frame begins and counted from the moment
// the recording began, so a replay at the same times and with the same keys
// runs the same game. A frame that begins within OnTime of the time a
// replay counts on (the frame before and 1/60 s more) reads that time;
// any other reads the clock to the microsecond, and that reading is
// written. So is every key event the game polls, with its frame, and, as a
// comment for whoever reads the file, every clip the game starts
// ("# FRAME clip FILE", as tumblewing-replay's clip log has it).
//
// Lines are flushed once a second and at the end. A write that fails, or a
// recording that reaches the most frames a replay runs, is told once to
// `stopped`; the game goes on and nothing more is written.
enum class RecordingStop { WriteFailed, Full };

class RecordingPlatform final : public Platform {
public:
    // A millisecond: the wake-up jitter of a frame on time, far below what a player could see.
    static constexpr double OnTime = 0.001;

    // `out` has the run's seed line already.
    RecordingPlatform(Platform& game, std::ostream& out, std::function<void(RecordingStop)> stopped);

    // Before each frame runs.
    void beginFrame();
    // After the last frame: writes the end line.
    void finish();
    int frame() const { return frame_; }

    double now() const override { return time_; }
    bool windowOpen() const override { return game_.windowOpen(); }
    bool pollEvent(Event& event) override;
    void closeWindow() override { game_.closeWindow(); }
    bool loadClipBuffer(Clip clip) override { return game_.loadClipBuffer(clip); }
    void buildClips() override { game_.buildClips(); }
    bool loadPicture(Picture picture) override { return game_.loadPicture(picture); }
    void play(Clip clip) override;
    void clear(Color color) override { game_.clear(color); }
    void draw(const Sprite& sprite) override { game_.draw(sprite); }
    void display() override { game_.display(); }

private:
    void check();

    Platform& game_;
    std::ostream& out_;
    std::function<void(RecordingStop)> stopped_;
    double start_;
    double time_ = 0.0;  // the game's time in this frame; 0 until the first
    int frame_ = 0;
    bool writing_ = true;
};
