// The drawing shared by the game window and the replay host: the manifest's textures and one frame's draws.
#pragma once

#include "shell/manifest.h"
#include "shell/sprite.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <array>
#include <memory>
#include <vector>

// Collects a frame's clear and draws as the core makes them, then paints
// them onto a target: every picture whole, unscaled, its top-left corner on
// the sprite's position, tinted by the sprite's colour.
class Canvas {
public:
    Canvas();
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Loads a picture by its bare file name from the working directory.
    bool loadPicture(Picture picture);

    void clear(sf::Color color);
    void draw(const Sprite& sprite);
    // Paints the frame collected since the last paint or drop onto `target`.
    void paint(sf::RenderTarget& target);
    // Forgets the collected frame without painting it.
    void drop();

private:
    std::array<std::unique_ptr<sf::Texture>, PictureCount> textures_;
    sf::Color clearColor_{0, 0, 0, 255};
    bool cleared_ = false;
    std::vector<Sprite> draws_;  // reserved once: a frame never allocates
    sf::Sprite brush_;           // reused for every draw
};
