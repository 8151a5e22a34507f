// The SFML host: one 800x600 window, its event queue, the loaded textures and voice clips.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/sfml_platform.h"

#include "sfml/sfml_event.h"
#include "shell/state/game.h"

#include <SFML/Window/VideoMode.hpp>


SfmlPlatform::SfmlPlatform()
    : window_(sf::VideoMode(ScreenWidth, ScreenHeight, 32), "Tumblewing Game",
              sf::Style::Resize | sf::Style::Close, sf::ContextSettings(24, 8, 0)) {}

// Members are declared in the order they are created, so they are released
// newest first: textures, clips, buffers, and the window last.
SfmlPlatform::~SfmlPlatform() = default;

void SfmlPlatform::limitFrameRate(unsigned int framesPerSecond) {
    window_.setFramerateLimit(framesPerSecond);
}

double SfmlPlatform::now() const {
    return static_cast<double>(time_.getElapsedTime().asMicroseconds()) / 1e6;
}

bool SfmlPlatform::windowOpen() const { return window_.isOpen(); }
bool SfmlPlatform::pollEvent(Event& event) {
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
    canvas_.paint(window_);
    window_.display();
}
