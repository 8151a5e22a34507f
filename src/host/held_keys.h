// Which game keys each of the player's devices holds, merged into the one stream of key events the core reads.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The devices a host takes keys from. The keyboard's events pass as they
// come (key repeats included); the touch controls and a gamepad report the
// whole set of keys they hold, and only its changes become events.
enum class KeySource : std::uint8_t { Keyboard, Touch, Pad };
constexpr int KeySourceCount = 3;

// The five keys the touch controls and the gamepad can hold, one bit each:
// Left 1, Right 2, Up 4, Down 8, Return 16 (the page's touch call uses them).
constexpr std::array<Key, 5> PlayKeys{Key::Left, Key::Right, Key::Up, Key::Down, Key::Return};
unsigned playKeyBit(Key key);  // 0 for any other key

// A key on the keyboard, as the host tells one from another: SFML's key
// code, or the page's event `code` ("KeyA", "Numpad4") folded to a number.
// Two keys may act as one of the game's (the arrow and a key the player
// chose for it): each is held and let go on its own.
using KeyId = std::uint32_t;
KeyId keyIdOf(const char* code);  // the page's `code`, folded

// Merges the sources: a key is up for the game only when no source holds
// it, and focus lost lets every held key go at once. Events go to `emit`, a
// callable taking an Event.
class HeldKeys {
public:
    // A key event from the keyboard, `id` the key that made it: whether the
    // core should see it. A press always passes; a release passes only when
    // no other key or source still holds its action, and as the action its
    // press had (`event` says so), whatever the key stands for now. A
    // release of one of the game's keys that was never pressed here (let go
    // already when focus went) is passed over.
    bool keyboard(Event& event, KeyId id);

    // The keys `source` holds now, as PlayKeys bits; emits a press for each
    // key that no source held and a release for each that no source holds any more.
    template <class Emit> void hold(KeySource source, unsigned keys, Emit emit) {
        const unsigned before = all();
        held_[index(source)] = keys & AllPlayKeys;
        changes(before, all(), emit);
    }

    // Focus lost: every source lets go, and the core sees a release for every key that was down.
    template <class Emit> void releaseAll(Emit emit) {
        const unsigned before = all();
        held_ = {};
        pressed_ = {};
        pressedCount_ = 0;
        changes(before, 0u, emit);
    }

    // The keyboard alone lets go of every key (Cmd going down on a Mac: a key
    // let go under it sends no key-up); touch and pad hold on.
    template <class Emit> void releaseKeyboard(Emit emit) {
        const unsigned before = all();
        pressedCount_ = 0;
        keyboardBits();
        changes(before, all(), emit);
    }

    unsigned held(KeySource source) const { return held_[index(source)]; }
    unsigned all() const { return held_[0] | held_[1] | held_[2]; }

private:
    static constexpr unsigned AllPlayKeys = 31u;
    static int index(KeySource s) { return static_cast<int>(s); }
    template <class Emit> static void changes(unsigned before, unsigned after, Emit& emit) {
        for (const Key key : PlayKeys) {
            const unsigned bit = playKeyBit(key);
            if ((before & bit) == (after & bit)) continue;
            Event e;
            e.type = (after & bit) != 0 ? Event::KeyPressed : Event::KeyReleased;
            e.key = key;
            emit(e);
        }
    }

    void keyboardBits();

    // The keyboard's keys held down for one of the game's, in the order pressed.
    struct Pressed {
        KeyId id;
        Key action;
    };
    static constexpr std::size_t MostPressed = 16;  // more than any keyboard reports at once
    std::array<Pressed, MostPressed> pressed_{};
    std::size_t pressedCount_ = 0;
    std::array<unsigned, KeySourceCount> held_{};
};
