// The SFML host: one 800x600 window, its event queue, the loaded textures and voice clips.
#include "shell/sfml_platform.h"

#include "shell/asset_file.h"
#include "shell/game.h"

#include <SFML/Window/VideoMode.hpp>

#include <cstddef>

namespace {
std::size_t indexOf(Picture p) { return static_cast<std::size_t>(p); }
}  // namespace

SfmlPlatform::SfmlPlatform()
    : window_(sf::VideoMode(ScreenWidth, ScreenHeight, 32), "Tumblewing Game",
              sf::Style::Resize | sf::Style::Close, sf::ContextSettings(24, 8, 0)) {}

SfmlPlatform::~SfmlPlatform() {
    for (std::size_t i = PictureCount; i-- > 0;) textures_[i].reset();
    // clips_ releases its sounds and buffers as members are destroyed.
}

void SfmlPlatform::limitFrameRate(unsigned int framesPerSecond) {
    window_.setFramerateLimit(framesPerSecond);
}

double SfmlPlatform::now() const {
    return static_cast<double>(time_.getElapsedTime().asMicroseconds()) / 1e6;
}

bool SfmlPlatform::windowOpen() const { return window_.isOpen(); }
bool SfmlPlatform::pollEvent(sf::Event& event) { return window_.pollEvent(event); }
void SfmlPlatform::closeWindow() { window_.close(); }

bool SfmlPlatform::loadClipBuffer(Clip clip) {
    if (!openableAsset(fileOf(clip))) return false;
    return clips_.load(clip);
}

void SfmlPlatform::buildClips() { clips_.build(); }

bool SfmlPlatform::loadPicture(Picture picture) {
    if (!openableAsset(fileOf(picture))) return false;
    auto texture = std::make_unique<sf::Texture>();
    if (!texture->loadFromFile(fileOf(picture))) return false;
    textures_[indexOf(picture)] = std::move(texture);
    return true;
}

void SfmlPlatform::play(Clip clip) { clips_.play(clip); }
void SfmlPlatform::clear(sf::Color color) { window_.clear(color); }

void SfmlPlatform::draw(const Sprite& sprite) {
    brush_.setTexture(*textures_[indexOf(sprite.picture)], true);  // whole picture, own size
    brush_.setPosition(sprite.position);
    brush_.setColor(sprite.color);
    window_.draw(brush_);
}

void SfmlPlatform::display() { window_.display(); }
