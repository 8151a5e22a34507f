// The one seam between the game and the outside world: time, events, files, sound and drawing.
#pragma once

#include "shell/manifest.h"
#include "shell/sprite.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Window/Event.hpp>

// What the game core asks of its host. The SFML shell implements it with a
// real window; the test harness implements it with scripted time and keys
// and records every draw and clip start.
class Platform {
public:
    virtual ~Platform() = default;

    // Monotonic time in seconds; every game clock reads through it.
    virtual double now() const = 0;

    // Window and events.
    virtual bool windowOpen() const = 0;
    virtual bool pollEvent(sf::Event& event) = 0;
    virtual void closeWindow() = 0;

    // Assets, loaded once at start, in manifest order. False means the file
    // is missing or unreadable.
    virtual bool loadClipBuffer(Clip clip) = 0;
    virtual void buildClips() = 0;  // after all buffers are loaded
    virtual bool loadPicture(Picture picture) = 0;

    // Output.
    virtual void play(Clip clip) = 0;
    virtual void clear(sf::Color color) = 0;
    virtual void draw(const Sprite& sprite) = 0;
    virtual void display() = 0;
};
