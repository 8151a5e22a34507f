// A gamepad's state to the game's keys: which readings steer and strike, and which a resting stick must never reach.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/gamepad.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

// The d-pad as "LRUD" letters held, the stick, A.
PadState pad(const char* dpad, float x, float y, bool a = false) {
    const std::string held = dpad;
    PadState p;
    p.dpadLeft = held.find('L') != std::string::npos;
    p.dpadRight = held.find('R') != std::string::npos;
    p.dpadUp = held.find('U') != std::string::npos;
    p.dpadDown = held.find('D') != std::string::npos;
    p.stickX = x;
    p.stickY = y;
    p.a = a;
    return p;
}

TEST(Gamepad, TheDpadAndALeaningStickAreTheArrowsAIsReturn) {
    constexpr unsigned L = 1, R = 2, U = 4, D = 8, Ret = 16;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        const char* what;
        PadState pad;
        unsigned keys;
    } cases[] = {
        {"untouched", pad("", 0, 0), 0},
        {"a resting stick's drift", pad("", 0.12f, -0.08f), 0},
        {"a worn stick resting at the dead zone's edge", pad("", -0.3f, 0.3f), 0},
        {"a stick not read (not a number)", pad("", nan, nan), 0},
        {"stick just past the edge, right", pad("", 0.31f, 0), R},
        {"stick full left", pad("", -1, 0), L},
        {"stick diagonal up-right (up is negative)", pad("", 0.7f, -0.7f), R | U},
        {"stick mostly right, a little down", pad("", 0.9f, 0.2f), R},
        {"stick down", pad("", 0, 1), D},
        {"each d-pad arm", pad("LRUD", 0, 0), L | R | U | D},
        {"d-pad down-left", pad("LD", 0, 0), L | D},
        {"A with the d-pad up and a resting stick", pad("U", 0.1f, 0, true), U | Ret},
        {"d-pad and stick the same way", pad("L", -1, 0), L},
    };
    for (const auto& c : cases) EXPECT_EQ(padKeys(c.pad), c.keys) << c.what;
}

}  // namespace
