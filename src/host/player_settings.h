// The player's own settings both hosts read: keys chosen for the game's five actions, and the sound's volume.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"

#include <string>
#include <vector>

// Keys a player chooses, each acting as one of the game's five actions as
// well as that action's own key: left, right, up, down (the arrows) and
// strike (Return). A list is "action=Key,action=Key,..." or with ':' for
// '='; action and key names are read in any case. Keys are named as the
// player sees them: A to Z, 0 to 9, Space, Left, Right, Up, Down,
// Return (or Enter), LShift, RShift, LControl, RControl, LAlt, RAlt.
struct KeyChoice {
    struct Chosen {
        std::string key;  // its name as keyChoiceName spells it
        Key action;       // the arrow or Return it stands for
    };
    std::vector<Chosen> keys;

    // The core key `name` (spelt as keyChoiceName spells it) stands for, or
    // `otherwise` when the player chose it for nothing.
    Key action(const std::string& name, Key otherwise) const;
};

// Reads a key list; false with `error` saying what is wrong: an unknown
// action or key name, a key named twice (an arrow or Return counts as named
// for its own action), an action named twice, F11 (the game's switch
// between the window and full screen), Tab (in the page it moves the
// keyboard between the game and the buttons; a game that took it would
// keep the keyboard for ever), or an item that is no pair.
bool parseKeyChoice(const std::string& list, KeyChoice& choice, std::string& error);

// The name's one spelling ("a" -> "A", "enter" -> "Return", "lshift" ->
// "LShift"); "" for a name the list does not take.
std::string keyChoiceName(const std::string& name);

// The volume from 0 (silent) to 100 (full, the default): a whole number,
// nothing else; false for anything else.
bool parseVolume(const std::string& text, int& volume);
