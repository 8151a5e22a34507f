// Which of the browser's keys the game takes, and as which key.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"
#include "host/player_settings.h"

// A key as the page sees it: the game's key, and whether the page keeps the
// browser from acting on it too (scrolling, pressing a focused button).
struct PageKey {
    Key key = Key::Unknown;
    bool taken = false;
};

// `name` is the DOM event's `key` value ("ArrowLeft", "Enter", "a", ...). The
// four arrows and Return (either Enter key) are the game's and the browser
// never sees them (unless one of the page's buttons has the focus: see
// onKey); every other key is left to the browser untouched, so its
// shortcuts keep working, and reaches the game only as a key it ignores.
PageKey pageKey(const char* name);

// The same, with the keys the player chose as well: `code` is the event's
// `code` ("KeyA", "ShiftLeft", ...). A chosen key is the game's, as the
// action it stands for; letters and digits are matched by what the key
// shows (`name`), so a list means the same keys on every layout, and by
// `code` when it shows something else. A chosen key pressed with Ctrl, Alt
// or Meta held (other than itself) is the browser's shortcut, not the
// game's: Ctrl+R reloads, and a key let go under Cmd sends no key-up.
struct Modifiers {
    bool ctrl = false, alt = false, meta = false;
};
PageKey pageKey(const char* name, const char* code, const KeyChoice& chosen, Modifiers held = {});

// A DOM key as a key list names it ("A", "7", "Space", "LShift"); "" for one a list cannot name.
std::string choiceName(const char* name, const char* code);
