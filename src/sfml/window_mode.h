// The game's window in its two modes, the 800x600 window and full screen, and the key that switches them.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>

// Where the 800x600 scene goes on a full screen of `size` pixels: as large
// as fits at 4:3, centred, in whole pixels. The rest is black bars.
sf::IntRect letterbox(sf::Vector2u size);

// Opens `window`, or opens it again, in the given mode: the game's resizable
// 800x600 window, whose scene stretches with it, or full screen at the
// desktop's resolution with the scene letterboxed; either shows the game's
// icon. The textures live on, in
// the context every window shares.
void openGameWindow(sf::RenderWindow& window, bool fullscreen);

// Fits the scene to the window again after a resize: letterboxed at full
// screen; a window keeps the scene stretched over it.
void fitScene(sf::RenderWindow& window, bool fullscreen);

// F11 switches modes, and it belongs to the host: the game never sees it.
bool isModeKey(const sf::Event& e);
