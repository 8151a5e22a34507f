// The SFML window's events as the core reads them.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"
#include "host/held_keys.h"
#include "host/player_settings.h"

#include <SFML/Window/Event.hpp>

// A close, a key going down or up with the core's name for it (Unknown for a
// key the core has no name for), or Other for everything else: resizes,
// focus, the mouse, text. A key the player chose in `chosen` comes as the
// arrow or Return it stands for.
Event toCoreEvent(const sf::Event& e, const KeyChoice& chosen = {});

// The key's name in a key list ("A", "7", "Space", "LShift"), "" for one a list cannot name.
std::string choiceName(sf::Keyboard::Key code);

// The core's events for one of the window's, through the keys the game
// holds, each handed to `emit` (a callable taking an Event). Focus going to
// another window lets every held key go, for a key let go over there never
// reaches this one; the release that then comes back when the key is let
// go after all is passed over.
template <class Emit> void toCoreEvents(const sf::Event& e, HeldKeys& held, Emit emit, const KeyChoice& chosen = {}) {
    if (e.type == sf::Event::LostFocus) {
        held.releaseAll(emit);
        return;
    }
    Event event = toCoreEvent(e, chosen);
    const bool key = e.type == sf::Event::KeyPressed || e.type == sf::Event::KeyReleased;
    if (held.keyboard(event, key ? static_cast<KeyId>(e.key.code) : 0)) emit(event);
}
