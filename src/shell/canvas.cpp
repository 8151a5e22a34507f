// The textures of the 32 pictures and the painting of one frame's draws onto a window or an off-screen target.
#include "shell/canvas.h"

#include "shell/asset_file.h"

#include <cstddef>

namespace {
constexpr std::size_t MostDrawsInAFrame = 512;  // a busy frame draws about 180
}

Canvas::Canvas() { draws_.reserve(MostDrawsInAFrame); }

Canvas::~Canvas() = default;  // an array releases its textures newest first

bool Canvas::loadPicture(Picture picture) {
    if (!openableAsset(fileOf(picture))) return false;
    sf::Image image;
    if (!image.loadFromFile(fileOf(picture))) return false;
    auto texture = std::make_unique<sf::Texture>();
    if (!texture->loadFromImage(image)) return false;
    const std::size_t i = static_cast<std::size_t>(picture);
    const sf::Vector2u size = image.getSize();
    const sf::Uint8* rgba = image.getPixelsPtr();
    opaque_[i] = true;
    for (std::size_t p = 3; p < std::size_t{4} * size.x * size.y; p += 4) opaque_[i] = opaque_[i] && rgba[p] == 255;
    textures_[i] = std::move(texture);
    return true;
}

void Canvas::clear(sf::Color color) {
    clearColor_ = color;
    cleared_ = true;
}

void Canvas::draw(const Sprite& sprite) { draws_.push_back(sprite); }

bool Canvas::coversView(const Sprite& s, const sf::FloatRect& view) const {
    const std::size_t i = static_cast<std::size_t>(s.picture);
    if (!opaque_[i] || s.color.a != 255) return false;
    const sf::Vector2u size = textures_[i]->getSize();
    return s.position.x <= view.left && s.position.y <= view.top &&
           s.position.x + static_cast<float>(size.x) >= view.left + view.width &&
           s.position.y + static_cast<float>(size.y) >= view.top + view.height;
}

void Canvas::paint(sf::RenderTarget& target) {
    std::size_t first = 0;  // the first draw anyone will see
    bool covered = false;
    if (culling_) {
        const sf::View& v = target.getView();
        const sf::FloatRect view(v.getCenter() - v.getSize() / 2.f, v.getSize());
        for (std::size_t i = draws_.size(); i-- > 0 && !covered;) {
            covered = coversView(draws_[i], view);
            if (covered) first = i;
        }
    }
    if (cleared_ && !covered) target.clear(clearColor_);
    for (std::size_t i = first; i < draws_.size(); ++i) {
        const Sprite& s = draws_[i];
        brush_.setTexture(*textures_[static_cast<std::size_t>(s.picture)], true);  // whole picture, own size
        brush_.setPosition(s.position);
        brush_.setColor(s.color);
        target.draw(brush_);
    }
    painted_ = draws_.size() - first;
    drop();
}

void Canvas::drop() {
    draws_.clear();
    cleared_ = false;
}
