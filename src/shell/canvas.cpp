// The textures of the 32 pictures and the painting of one frame's draws onto a window or an off-screen target.
#include "shell/canvas.h"

#include <cstddef>

namespace {
constexpr std::size_t MostDrawsInAFrame = 512;  // a busy frame draws about 180
}

Canvas::Canvas() { draws_.reserve(MostDrawsInAFrame); }

Canvas::~Canvas() = default;  // an array releases its textures newest first

bool Canvas::loadPicture(Picture picture) {
    auto texture = std::make_unique<sf::Texture>();
    if (!texture->loadFromFile(fileOf(picture))) return false;
    textures_[static_cast<std::size_t>(picture)] = std::move(texture);
    return true;
}

void Canvas::clear(sf::Color color) {
    clearColor_ = color;
    cleared_ = true;
}

void Canvas::draw(const Sprite& sprite) { draws_.push_back(sprite); }

void Canvas::paint(sf::RenderTarget& target) {
    if (cleared_) target.clear(clearColor_);
    for (const Sprite& s : draws_) {
        brush_.setTexture(*textures_[static_cast<std::size_t>(s.picture)], true);  // whole picture, own size
        brush_.setPosition(s.position);
        brush_.setColor(s.color);
        target.draw(brush_);
    }
    drop();
}

void Canvas::drop() {
    draws_.clear();
    cleared_ = false;
}
