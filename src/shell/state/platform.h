// The one seam between the game and the outside world: time, events, files, sound and drawing.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"
#include "shell/state/manifest.h"
#include "shell/state/sprite.h"

// What the game core asks of its host. Each host implements it: the SFML
// window, the off-screen replay, and the test harness with scripted time and
// keys that records every draw and clip start.
class Platform {
public:
    virtual ~Platform() = default;

    // Monotonic time in seconds; every game clock reads through it.
    virtual double now() const = 0;

    // Window and events.
    virtual bool windowOpen() const = 0;
    virtual bool pollEvent(Event& event) = 0;
    virtual void closeWindow() = 0;

    // Assets, loaded once at start, in manifest order. False means the file
    // is missing or unreadable.
    virtual bool loadClipBuffer(Clip clip) = 0;
    virtual void buildClips() = 0;  // after all buffers are loaded
    virtual bool loadPicture(Picture picture) = 0;

    // Output.
    virtual void play(Clip clip) = 0;
    virtual void clear(Color color) = 0;
    virtual void draw(const Sprite& sprite) = 0;
    virtual void display() = 0;
};
