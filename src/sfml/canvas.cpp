// The textures of the 32 pictures and the painting of one frame's draws onto a window or an off-screen target.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/canvas.h"

#include "sfml/asset_file.h"

#include <cstddef>
#include <memory>
#include <string>

namespace {
sf::Color toSfml(Color c) { return sf::Color(c.r, c.g, c.b, c.a); }
constexpr std::size_t MostDrawsInAFrame = 512;  // a busy frame draws about 180
}

Canvas::Canvas() { draws_.reserve(MostDrawsInAFrame); }

Canvas::~Canvas() = default;  // an array releases its textures newest first

namespace {
// The picture at `path` decoded into `image` and made a texture; null after
// naming the file on sf::err().
std::unique_ptr<sf::Texture> loadTexture(const std::string& path, sf::Image& image) {
    if (!decodePicture(path, image)) return nullptr;
    auto texture = std::make_unique<sf::Texture>();
    HeldErrors held;
    const bool made = texture->loadFromImage(image);
    const std::string said = held.release();
    if (made) return texture;
    reportFailedLoad(path, said.empty() ? "no texture could be made of it" : said);
    return nullptr;
}
}  // namespace

bool Canvas::loadPicture(Picture picture) {
    sf::Image image;
    auto texture = loadTexture(folder_ + fileOf(picture), image);
    if (!texture) return false;
    const std::size_t i = static_cast<std::size_t>(picture);
    looks_[i] = lookOf(image.getPixelsPtr(), image.getSize().x, image.getSize().y);
    textures_[i] = std::move(texture);
    return true;
}

bool Canvas::loadOverlay(const std::string& file) {
    sf::Image image;
    auto texture = loadTexture(folder_ + file, image);
    if (!texture) return false;
    overlays_.push_back(std::move(texture));
    overlayDraws_.reserve(overlays_.size());
    return true;
}

Vec2 Canvas::overlaySize(std::size_t overlay) const {
    const sf::Vector2u size = overlays_[overlay]->getSize();
    return Vec2(static_cast<float>(size.x), static_cast<float>(size.y));
}

void Canvas::clear(Color color) {
    clearColor_ = color;
    cleared_ = true;
}

void Canvas::draw(const Sprite& sprite) { draws_.push_back(sprite); }

void Canvas::drawOverlay(std::size_t overlay, Vec2 position) { overlayDraws_.emplace_back(overlay, position); }

void Canvas::paint(sf::RenderTarget& target) {
    VisibleDraws seen;
    if (culling_) {
        const sf::View& v = target.getView();
        const sf::Vector2f corner = v.getCenter() - v.getSize() / 2.f;
        seen = visibleDraws(draws_.data(), draws_.size(), looks_, {corner.x, corner.y, v.getSize().x, v.getSize().y});
    }
    if (cleared_ && !seen.covered) target.clear(toSfml(clearColor_));
    for (std::size_t i = seen.first; i < draws_.size(); ++i) {
        const Sprite& s = draws_[i];
        brush_.setTexture(*textures_[static_cast<std::size_t>(s.picture)], true);  // whole picture, own size
        brush_.setPosition(s.position.x, s.position.y);
        brush_.setColor(toSfml(s.color));
        target.draw(brush_);
    }
    for (const auto& [overlay, position] : overlayDraws_) {
        brush_.setTexture(*overlays_[overlay], true);
        brush_.setPosition(position.x, position.y);
        brush_.setColor(sf::Color::White);
        target.draw(brush_);
    }
    painted_ = draws_.size() - seen.first;
    drop();
}

void Canvas::drop() {
    draws_.clear();
    overlayDraws_.clear();
    cleared_ = false;
}
