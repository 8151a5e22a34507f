// The gamepad's keys: the d-pad and the leaning stick are the arrows, A is Return.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/gamepad.h"

#include "host/held_keys.h"

unsigned padKeys(const PadState& pad) {
    // Written as "beyond", so that a reading that is not a number leans nowhere.
    const bool left = pad.dpadLeft || pad.stickX < -StickDeadZone;
    const bool right = pad.dpadRight || pad.stickX > StickDeadZone;
    const bool up = pad.dpadUp || pad.stickY < -StickDeadZone;
    const bool down = pad.dpadDown || pad.stickY > StickDeadZone;
    unsigned keys = 0;
    if (left) keys |= playKeyBit(Key::Left);
    if (right) keys |= playKeyBit(Key::Right);
    if (up) keys |= playKeyBit(Key::Up);
    if (down) keys |= playKeyBit(Key::Down);
    if (pad.a) keys |= playKeyBit(Key::Return);
    return keys;
}
