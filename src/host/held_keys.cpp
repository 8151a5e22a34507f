// The keyboard's side of merging the player's devices into one stream of key events.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/held_keys.h"

unsigned playKeyBit(Key key) {
    for (std::size_t i = 0; i < PlayKeys.size(); ++i)
        if (PlayKeys[i] == key) return 1u << i;
    return 0u;
}

KeyId keyIdOf(const char* code) {
    KeyId hash = 2166136261u;  // FNV-1a over the code's letters
    for (const char* c = code; *c != '\0'; ++c) hash = (hash ^ static_cast<unsigned char>(*c)) * 16777619u;
    return hash;
}

void HeldKeys::keyboardBits() {
    unsigned bits = 0;
    for (std::size_t i = 0; i < pressedCount_; ++i) bits |= playKeyBit(pressed_[i].action);
    held_[index(KeySource::Keyboard)] = bits;
}

bool HeldKeys::keyboard(Event& event, KeyId id) {
    if (event.type != Event::KeyPressed && event.type != Event::KeyReleased) return true;
    std::size_t at = 0;
    while (at < pressedCount_ && pressed_[at].id != id) ++at;
    const bool known = at < pressedCount_;
    if (event.type == Event::KeyPressed) {
        if (known) event.key = pressed_[at].action;  // a repeat goes on as the press it repeats
        if (known || playKeyBit(event.key) == 0) return true;
        if (pressedCount_ == MostPressed) return false;  // its release could not be paired: never pressed at all
        pressed_[pressedCount_++] = {id, event.key};
        keyboardBits();
        return true;
    }
    if (!known) return playKeyBit(event.key) == 0;
    event.key = pressed_[at].action;
    for (std::size_t i = at + 1; i < pressedCount_; ++i) pressed_[i - 1] = pressed_[i];
    pressedCount_ -= 1;
    keyboardBits();
    return (all() & playKeyBit(event.key)) == 0;
}
