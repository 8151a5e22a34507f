// The SFML host: the real window, textures, sound buffers and clips behind the platform seam.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "host/held_keys.h"
#include "sfml/canvas.h"
#include "sfml/caption_layer.h"
#include "sfml/clip_player.h"
#include "sfml/pacer.h"
#include "host/player_settings.h"
#include "sfml/pad_poll.h"
#include "sfml/x_errors.h"
#include "shell/state/platform.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>

#include <array>
#include <cstddef>

class SfmlPlatform final : public Platform {
public:
    // How the window holds 60 frames a second: the game sleeps until each
    // frame's deadline; SFML's own limiter is kept for comparison.
    enum class Pacing { Deadlines, SfmlLimiter };

    // Opens and shows the window, or goes full screen. F11 switches between
    // the two at any time.
    explicit SfmlPlatform(bool fullscreen = false, Pacing pacing = Pacing::Deadlines);
    ~SfmlPlatform() override;
    SfmlPlatform(const SfmlPlatform&) = delete;
    SfmlPlatform& operator=(const SfmlPlatform&) = delete;

    // Loads the captions after the game's files; false after naming the file that failed.
    bool showCaptions() { return captions_.load(canvas_); }
    // Keys the player chose, as well as the arrows and Return.
    void chooseKeys(const KeyChoice& keys) { keys_ = keys; }
    // The sound's volume in percent.
    void setVolume(int percent) { clips_.setVolume(percent); }

    double now() const override;
    bool windowOpen() const override;
    bool pollEvent(Event& event) override;
    void closeWindow() override;
    bool loadClipBuffer(Clip clip) override;
    void buildClips() override;
    bool loadPicture(Picture picture) override;
    void play(Clip clip) override;
    void clear(Color color) override;
    void draw(const Sprite& sprite) override;
    void display() override;

private:
    // Opens the window in the current mode, or again in the other.
    void openWindow();
    void switchMode();

    DisplayLossExit displayLoss_;
    MonotonicClock time_;  // the game's clocks and the pacer read the same clock
    bool fullscreen_;
    Pacing pacing_;
    sf::RenderWindow window_;
    sf::Event pending_{};  // the window's event being translated
    HeldKeys held_;        // the keyboard's and the gamepads' keys, all let go when focus goes
    std::array<Event, PlayKeys.size()> translated_{};  // the core's events for it, not yet polled
    std::size_t translatedCount_ = 0;
    std::size_t translatedNext_ = 0;
    KeyChoice keys_;       // the keys the player chose, as the arrows and Return they stand for
    Pacer pacer_{time_};
    bool destroyedReported_ = false;
    SfmlJoysticks joysticks_;
    PadPoll pads_{joysticks_};  // read once a frame, after the window's events
    // Assets live until teardown, which releases them newest first.
    ClipPlayer clips_;  // the buffers and sounds, or silence without an audio device
    Canvas canvas_;     // the textures, loaded after the sounds
    CaptionLayer captions_;  // off unless asked for
};
