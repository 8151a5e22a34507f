// The desktop's gamepads: SFML's joysticks, read once a frame through a seam the tests script, as key events.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"
#include "host/gamepad.h"
#include "host/held_keys.h"

#include <array>
#include <cstddef>

// One joystick as SFML reports it, every axis in -100..100.
struct JoystickReading {
    bool connected = false;
    float x = 0.f;  // the left stick, right positive
    float y = 0.f;  // down positive
    float povX = 0.f;  // the d-pad, which SFML reports as the hat's axes
    float povY = 0.f;  // up is negative on Linux, as the kernel reports the hat
    bool button0 = false;  // the bottom face button
    // The d-pad as four buttons, left, right, up, down: Linux's xpad driver
    // with dpad_to_buttons reports them so, as buttons 11 to 14 of 15.
    std::array<bool, 4> dpadButtons{};
};

// A joystick's reading as the shared mapping reads it.
PadState toPadState(const JoystickReading& joystick);

// Where the pads are read: SFML's joysticks in the game, a script in the tests.
class Joysticks {
public:
    virtual ~Joysticks() = default;
    virtual unsigned count() const = 0;
    virtual JoystickReading read(unsigned index) const = 0;
};

// SFML's joysticks, as fresh as the window's last event poll left them.
class SfmlJoysticks final : public Joysticks {
public:
    unsigned count() const override;
    JoystickReading read(unsigned index) const override;
};

// Reads every pad once per round of event polls (once a frame) and hands
// the keys they hold, merged, to HeldKeys; the presses and releases that
// makes come out one at a time.
class PadPoll {
public:
    explicit PadPoll(const Joysticks& joysticks) : joysticks_(joysticks) {}

    // The pads' next key event; false when the round's are all out, and the
    // call after that reads the pads again.
    bool next(HeldKeys& held, Event& event);

private:
    const Joysticks& joysticks_;
    std::array<Event, PlayKeys.size()> queue_{};  // a hold changes each key at most once
    std::size_t queued_ = 0;
    std::size_t taken_ = 0;
    bool read_ = false;
};
