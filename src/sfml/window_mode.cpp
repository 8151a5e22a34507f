// Opens the game's window or full screen, letterboxes the scene at full screen, and knows the key that switches.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/window_mode.h"

#include "sfml/game_icon.h"
#include "shell/state/game.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/Window/VideoMode.hpp>

#include <algorithm>
#include <cmath>

sf::IntRect letterbox(sf::Vector2u size) {
    const double scale =
        std::min(static_cast<double>(size.x) / ScreenWidth, static_cast<double>(size.y) / ScreenHeight);
    const int width = static_cast<int>(std::lround(ScreenWidth * scale));
    const int height = static_cast<int>(std::lround(ScreenHeight * scale));
    return {(static_cast<int>(size.x) - width) / 2, (static_cast<int>(size.y) - height) / 2, width, height};
}

namespace {
// Decoded once, for every window the game opens.
const sf::Image& gameIcon() {
    static const sf::Image icon = [] {
        sf::Image image;
        image.loadFromMemory(GameIconPng, GameIconPngSize);
        return image;
    }();
    return icon;
}
}  // namespace

void openGameWindow(sf::RenderWindow& window, bool fullscreen) {
    const sf::ContextSettings settings(24, 8, 0);
    if (fullscreen)
        window.create(sf::VideoMode::getDesktopMode(), "Tumblewing Game", sf::Style::Fullscreen, settings);
    else
        window.create(sf::VideoMode(ScreenWidth, ScreenHeight, 32), "Tumblewing Game",
                      sf::Style::Resize | sf::Style::Close, settings);
    const sf::Image& icon = gameIcon();
    if (icon.getSize().x > 0) window.setIcon(icon.getSize().x, icon.getSize().y, icon.getPixelsPtr());
    fitScene(window, fullscreen);
}

void fitScene(sf::RenderWindow& window, bool fullscreen) {
    if (!fullscreen) return;
    const sf::Vector2u size = window.getSize();
    if (size.x == 0 || size.y == 0) return;
    const sf::IntRect r = letterbox(size);
    sf::View view(sf::FloatRect(0.f, 0.f, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight)));
    const float w = static_cast<float>(size.x), h = static_cast<float>(size.y);
    view.setViewport(sf::FloatRect(static_cast<float>(r.left) / w, static_cast<float>(r.top) / h,
                                   static_cast<float>(r.width) / w, static_cast<float>(r.height) / h));
    window.setView(view);
}

bool isModeKey(const sf::Event& e) {
    return (e.type == sf::Event::KeyPressed || e.type == sf::Event::KeyReleased) && e.key.code == sf::Keyboard::F11;
}
