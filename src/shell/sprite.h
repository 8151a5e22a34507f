// A picture on screen: which manifest picture, where its top-left corner is, and its colour.
#pragma once

#include "shell/manifest.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

// The core's sprite is plain data. The shell draws it unscaled, at the
// picture's own pixel size, with its top-left corner on `position`.
struct Sprite {
    Picture picture = Picture::Black;
    sf::Vector2f position{0.f, 0.f};
    sf::Color color{255, 255, 255, 255};

    Sprite() = default;
    explicit Sprite(Picture shown) : picture(shown) {}

    void setAlpha(int alpha) { color.a = static_cast<sf::Uint8>(alpha); }
};
