// The keyboard's side of merging the player's devices into one stream of key events.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/held_keys.h"

unsigned playKeyBit(Key key) {
    for (std::size_t i = 0; i < PlayKeys.size(); ++i)
        if (PlayKeys[i] == key) return 1u << i;
    return 0u;
}

bool HeldKeys::keyboard(const Event& event) {
    const unsigned bit = playKeyBit(event.key);
    unsigned& mine = held_[index(KeySource::Keyboard)];
    if (event.type == Event::KeyPressed) {
        mine |= bit;
        return true;
    }
    if (event.type != Event::KeyReleased) return true;
    if (bit != 0 && (mine & bit) == 0) return false;  // let go already (focus was lost while it was down)
    mine &= ~bit;
    return (all() & bit) == 0;
}
