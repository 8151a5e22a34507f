// The drawing shared by the game window and the replay host: the manifest's textures and one frame's draws.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "host/hidden_draws.h"
#include "shell/state/manifest.h"
#include "shell/state/sprite.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Collects a frame's clear and draws as the core makes them, then paints
// them onto a target: every picture whole, unscaled, its top-left corner on
// the sprite's position, tinted by the sprite's colour.
//
// With the whole frame in hand it leaves out what no one can see (see
// visibleDraws): the pixels are the same either way; where the GL driver
// fills pixels in software they are most of a frame's cost.
class Canvas {
public:
    Canvas();
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // The folder the pictures' files are in, "" for the working directory.
    void setFolder(const std::string& folder) { folder_ = folder; }
    const std::string& folder() const { return folder_; }
    // Loads a picture by its file name from that folder; only a regular file
    // is read. A failure is named on sf::err().
    bool loadPicture(Picture picture);

    // Pictures a host lays over every frame (the captions), outside the
    // game's manifest: loaded by file name from the folder, in order; the
    // first is overlay 0. A failure is named on sf::err().
    bool loadOverlay(const std::string& file);
    Vec2 overlaySize(std::size_t overlay) const;

    void clear(Color color);
    void draw(const Sprite& sprite);
    // Painted after all of the frame's draws, unscaled and untinted.
    void drawOverlay(std::size_t overlay, Vec2 position);
    // Paints the frame collected since the last paint or drop onto `target`.
    void paint(sf::RenderTarget& target);
    // Forgets the collected frame without painting it.
    void drop();

    // On by default; off paints every draw, for comparing the two.
    void setCulling(bool on) { culling_ = on; }
    // How many draws the last paint sent to the target.
    std::size_t painted() const { return painted_; }

private:
    std::array<std::unique_ptr<sf::Texture>, PictureCount> textures_;
    PictureLooks looks_{};  // sizes, and whether every pixel's alpha is 255, found when loaded
    std::string folder_;
    bool culling_ = true;
    std::size_t painted_ = 0;
    Color clearColor_{0, 0, 0, 255};
    bool cleared_ = false;
    std::vector<Sprite> draws_;  // reserved once: a frame never allocates
    std::vector<std::unique_ptr<sf::Texture>> overlays_;
    std::vector<std::pair<std::size_t, Vec2>> overlayDraws_;
    sf::Sprite brush_;           // reused for every draw
};
