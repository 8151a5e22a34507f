// The SFML window's events as the core reads them.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"
#include "host/player_settings.h"

#include <SFML/Window/Event.hpp>

// A close, a key going down or up with the core's name for it (Unknown for a
// key the core has no name for), or Other for everything else: resizes,
// focus, the mouse, text. A key the player chose in `chosen` comes as the
// arrow or Return it stands for.
Event toCoreEvent(const sf::Event& e, const KeyChoice& chosen = {});

// The key's name in a key list ("A", "7", "Space", "LShift"), "" for one a list cannot name.
std::string choiceName(sf::Keyboard::Key code);
