// A scripted player: reads the game as a player would see it and decides which keys to hold.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "shell/loop.h"

#include <array>
#include <cstddef>

struct KeyChange {
    Event::Type type;  // KeyPressed or KeyReleased
    Key key;
};

// Called between frames, it answers with the key events a player would make
// before the next poll. Keys reach the flier a frame after that poll, and
// the autopilot plans for that delay. It allocates nothing.
class Autopilot {
public:
    enum class Goal {
        Win,   // opens the gate, dodges every wave, lands five strikes in the duel
        Lose,  // opens the gate, then flies into the blocks and Vexmor until the lose screen
    };
    explicit Autopilot(Goal goal = Goal::Win) : goal_(goal) {}

    std::size_t steer(const Game& g, std::array<KeyChange, 8>& out);

private:
    struct Keys {
        int dx = 0;  // -1 left, 1 right
        int dy = 0;  // -1 up, 1 down
        bool enter = false;
    };
    Keys decide(const Game& g) const;

    Goal goal_;
    Keys held_;
};
