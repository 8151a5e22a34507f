// The replay host: the real core and the real pictures, with scripted time and a recorded input, drawn off screen.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "sfml/canvas.h"
#include "sfml/caption_layer.h"
#include "sfml/clip_player.h"
#include "sfml/x_errors.h"
#include "host/recorded_input.h"
#include "shell/state/platform.h"

#include <SFML/Graphics/RenderTexture.hpp>

#include <functional>
#include <ostream>
#include <string>

// Runs at exactly `frameSeconds` per frame whatever the machine does, feeds
// the recording's key events to the poll of their frame, and paints only
// the frames `wanted` asks for into an 800x600 off-screen picture. Sound is
// never played: each clip start is written to `clipLog` with its frame.
class ReplayPlatform final : public Platform {
public:
    using FrameWanted = std::function<bool(int frame)>;
    using FrameDone = std::function<bool(int frame, const sf::Image& picture)>;

    // The game's files are read from `assets`, a folder path ending in '/'
    // ("" for the working directory).
    ReplayPlatform(const InputScript& recording, const std::string& assets, double frameSeconds,
                   FrameWanted wanted, FrameDone done, std::ostream& clipLog);

    // Needs a GL context: false when the off-screen picture cannot be made.
    bool ready() const { return ready_; }
    // Called before each frame runs: the next frame number, one frame's time later.
    void beginFrame() { input_.beginFrame(); }
    bool failed() const { return failed_; }
    // Paints every draw, even those a full-window picture hides (for comparison).
    void paintEverything() { canvas_.setCulling(false); }
    // Loads the captions, after the game's files; false after naming the file that failed.
    bool showCaptions() { return captions_.load(canvas_); }

    double now() const override { return input_.now(); }
    bool windowOpen() const override { return open_; }
    bool pollEvent(Event& event) override { return input_.poll(event); }
    void closeWindow() override { open_ = false; }
    bool loadClipBuffer(Clip clip) override { return clips_.load(clip); }  // checked as the game does
    void buildClips() override {}
    bool loadPicture(Picture picture) override { return canvas_.loadPicture(picture); }
    void play(Clip clip) override;
    void clear(Color color) override { canvas_.clear(color); }
    void draw(const Sprite& sprite) override { canvas_.draw(sprite); }
    void display() override;

private:
    DisplayLossExit displayLoss_{"tumblewing-replay", 3};  // 3: no display for drawing
    FrameWanted wanted_;
    FrameDone done_;
    std::ostream& clipLog_;
    RecordedInput input_;
    ClipPlayer clips_{ClipPlayer::Mute{}};
    sf::RenderTexture target_;
    Canvas canvas_;
    CaptionLayer captions_;
    bool open_ = true;
    bool ready_ = false;
    bool failed_ = false;
};
