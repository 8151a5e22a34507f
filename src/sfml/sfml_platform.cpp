// The SFML host: one 800x600 window or full screen, its event queue, the loaded textures and voice clips.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/sfml_platform.h"

#include "sfml/asset_file.h"
#include "sfml/display_check.h"
#include "sfml/sfml_event.h"
#include "sfml/window_mode.h"
#include "shell/state/game.h"

#include <SFML/System/Err.hpp>

#include <ostream>
#include <string>

SfmlPlatform::SfmlPlatform(bool fullscreen, Pacing pacing)
    : displayLoss_("tumblewing", NoDisplayExitCode), fullscreen_(fullscreen), pacing_(pacing) {
    openWindow();
}

// Members are declared in the order they are created, so they are released
// newest first: textures, clips, buffers, and the window last.
SfmlPlatform::~SfmlPlatform() = default;

void SfmlPlatform::openWindow() {
    HeldErrors held;  // the game never asks for vertical sync: a driver without it is no news
    openGameWindow(window_, fullscreen_);  // a new window: its settings are made again
    held.passOnAllBut("Setting vertical sync not supported");
    watchWindow(window_, checkedDisplay());
    if (pacing_ == Pacing::SfmlLimiter) window_.setFramerateLimit(60);
}

void SfmlPlatform::switchMode() {
    fullscreen_ = !fullscreen_;
    openWindow();
}

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
    for (;;) {
        if (translatedNext_ < translatedCount_) {
            event = translated_[translatedNext_++];
            return true;
        }
        if (!window_.pollEvent(pending_)) break;
        translatedCount_ = 0;
        translatedNext_ = 0;
        const auto keep = [this](const Event& e) {
            if (translatedCount_ < translated_.size()) translated_[translatedCount_++] = e;
        };
        if (isModeKey(pending_)) {  // switched on release, so a held key switches once
            if (pending_.type != sf::Event::KeyReleased) continue;
            switchMode();
            // The new window never hears of a key held down in the old one: its release may never come.
            held_.releaseAll(keep);
            continue;
        }
        if (pending_.type == sf::Event::Resized) fitScene(window_, fullscreen_);
        toCoreEvents(pending_, held_, keep, keys_);
    }
    // The window's events are out for this frame: then the pads' changes.
    return pads_.next(held_, event);
}

void SfmlPlatform::closeWindow() { window_.close(); }

bool SfmlPlatform::loadClipBuffer(Clip clip) { return clips_.load(clip); }

void SfmlPlatform::buildClips() { clips_.build(); }

bool SfmlPlatform::loadPicture(Picture picture) { return canvas_.loadPicture(picture); }

void SfmlPlatform::play(Clip clip) {
    clips_.play(clip);
    captions_.started(clip, now());
}
void SfmlPlatform::clear(Color color) { canvas_.clear(color); }
void SfmlPlatform::draw(const Sprite& sprite) { canvas_.draw(sprite); }

void SfmlPlatform::display() {
    if (windowDestroyed()) {  // nothing left to show the frame on
        canvas_.drop();
        return;
    }
    if (pacing_ == Pacing::Deadlines && pacer_.catchingUp()) {  // made up for an overrun, the next due already
        canvas_.drop();
        pacer_.frameShown();
        return;
    }
    // A window destroyed under this frame makes its drawing calls fail, and
    // that is no news: SFML's complaints are passed on only if it still stands.
    HeldErrors complaints;
    captions_.lay(canvas_, now());
    if (fullscreen_) window_.clear();  // the bars beside the scene
    canvas_.paint(window_);
    window_.display();
    const std::string said = complaints.releaseText();
    if (!windowDestroyedNow()) sf::err() << said << std::flush;
    if (pacing_ == Pacing::Deadlines) pacer_.frameShown();
}
