// A gamepad's state to the game's keys: which readings steer and strike, and which a resting stick must never reach.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/gamepad.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr unsigned L = 1, R = 2, U = 4, D = 8, Ret = 16;

PadState stick(float x, float y) {
    PadState p;
    p.stickX = x;
    p.stickY = y;
    return p;
}

PadState dpad(bool left, bool right, bool up, bool down) {
    PadState p;
    p.dpadLeft = left;
    p.dpadRight = right;
    p.dpadUp = up;
    p.dpadDown = down;
    return p;
}

PadState withA(PadState p) {
    p.a = true;
    return p;
}

TEST(Gamepad, TheDpadAndALeaningStickAreTheArrowsAIsReturn) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        PadState pad;
        unsigned keys;
    };
    const Case cases[] = {
        {"untouched", PadState{}, 0},
        {"a resting stick's drift", stick(0.12f, -0.08f), 0},
        {"a worn stick resting at the dead zone's edge", stick(-0.3f, 0.3f), 0},
        {"a stick not read (not a number)", stick(nan, nan), 0},
        {"stick just past the edge, right", stick(0.31f, 0.f), R},
        {"stick full left", stick(-1.f, 0.f), L},
        {"stick up (negative y)", stick(0.f, -0.9f), U},
        {"stick down", stick(0.f, 1.f), D},
        {"stick diagonal up-right", stick(0.7f, -0.7f), R | U},
        {"stick mostly right, a little down", stick(0.9f, 0.2f), R},
        {"d-pad left", dpad(true, false, false, false), L},
        {"d-pad right", dpad(false, true, false, false), R},
        {"d-pad up", dpad(false, false, true, false), U},
        {"d-pad down-left", dpad(true, false, false, true), L | D},
        {"A alone", withA(PadState{}), Ret},
        {"A with the d-pad up and a resting stick", withA(dpad(false, false, true, false)), U | Ret},
        {"d-pad and stick the same way", [] { PadState p = stick(-1.f, 0.f); p.dpadLeft = true; return p; }(), L},
    };
    for (const Case& c : cases) EXPECT_EQ(padKeys(c.pad), c.keys) << c.what;
}

}  // namespace
