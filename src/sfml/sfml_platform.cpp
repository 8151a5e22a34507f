// The SFML host: one 800x600 window, its event queue, the loaded textures and voice clips.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/sfml_platform.h"

#include "sfml/display_check.h"
#include "sfml/sfml_event.h"
#include "shell/state/game.h"

#include <SFML/Window/VideoMode.hpp>


SfmlPlatform::SfmlPlatform(Pacing pacing)
    : displayLoss_("tumblewing", NoDisplayExitCode),
      window_(sf::VideoMode(ScreenWidth, ScreenHeight, 32), "Tumblewing Game",
              sf::Style::Resize | sf::Style::Close, sf::ContextSettings(24, 8, 0)),
      pacing_(pacing) {
    watchWindow(window_, checkedDisplay());
    if (pacing_ == Pacing::SfmlLimiter) window_.setFramerateLimit(60);
}

// Members are declared in the order they are created, so they are released
// newest first: textures, clips, buffers, and the window last.
SfmlPlatform::~SfmlPlatform() = default;

double SfmlPlatform::now() const { return time_.seconds(); }

bool SfmlPlatform::windowOpen() const { return window_.isOpen(); }
bool SfmlPlatform::pollEvent(Event& event) {
    // A window destroyed by another client ends the game as a close does.
    if (windowDestroyed() && !destroyedReported_) {
        destroyedReported_ = true;
        event = Event{};
        event.type = Event::Closed;
        return true;
    }
    if (!window_.pollEvent(pending_)) return false;
    event = toCoreEvent(pending_);
    return true;
}

void SfmlPlatform::closeWindow() { window_.close(); }

bool SfmlPlatform::loadClipBuffer(Clip clip) { return clips_.load(clip); }

void SfmlPlatform::buildClips() { clips_.build(); }

bool SfmlPlatform::loadPicture(Picture picture) { return canvas_.loadPicture(picture); }

void SfmlPlatform::play(Clip clip) { clips_.play(clip); }
void SfmlPlatform::clear(Color color) { canvas_.clear(color); }
void SfmlPlatform::draw(const Sprite& sprite) { canvas_.draw(sprite); }

void SfmlPlatform::display() {
    if (windowDestroyed()) {  // nothing left to show the frame on
        canvas_.drop();
        return;
    }
    HeldComplaints complaints;
    canvas_.paint(window_);
    window_.display();
    if (windowDestroyedNow()) complaints.drop();  // it went away under this frame
    if (pacing_ == Pacing::Deadlines) pacer_.frameShown();
}
