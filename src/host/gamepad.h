// A gamepad's state as both hosts read it, and the game keys it holds: the d-pad and left stick steer, A strikes.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

// One pad at one moment. The stick runs from -1 to 1 on each axis, right
// and down positive, as the browser reports it (the desktop scales SFML's
// -100..100 to it).
struct PadState {
    bool dpadLeft = false;
    bool dpadRight = false;
    bool dpadUp = false;
    bool dpadDown = false;
    float stickX = 0.f;
    float stickY = 0.f;
    bool a = false;  // the bottom face button
};

// How far the stick must lean on an axis before it counts as an arrow: a
// resting stick never reads exactly zero, and must never move Kestra.
constexpr float StickDeadZone = 0.3f;

// The keys `pad` holds, as HeldKeys' PlayKeys bits (Left 1, Right 2, Up 4,
// Down 8, Return 16): the d-pad and the stick beyond its dead zone are the
// arrows, A is Return. A reading that is not a number holds nothing.
unsigned padKeys(const PadState& pad);
