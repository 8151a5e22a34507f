// Reads SFML's joysticks once a frame and turns what the pads hold into key presses and releases.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/pad_poll.h"

#include <SFML/Window/Joystick.hpp>

namespace {
constexpr float FullDeflection = 100.f;  // SFML's axes run from -100 to 100
constexpr float HatPressed = 50.f;       // the hat reads 0 or ±100; half way counts
constexpr unsigned XpadButtons = 15;      // xpad's pad with its d-pad as buttons...
constexpr unsigned XpadDpadFirst = 11;    // ...left, right, up, down after the eleven others
}  // namespace

PadState toPadState(const JoystickReading& joystick) {
    PadState pad;
    pad.dpadLeft = joystick.povX < -HatPressed || joystick.dpadButtons[0];
    pad.dpadRight = joystick.povX > HatPressed || joystick.dpadButtons[1];
    pad.dpadUp = joystick.povY < -HatPressed || joystick.dpadButtons[2];
    pad.dpadDown = joystick.povY > HatPressed || joystick.dpadButtons[3];
    pad.stickX = joystick.x / FullDeflection;
    pad.stickY = joystick.y / FullDeflection;
    pad.a = joystick.button0;
    return pad;
}

unsigned SfmlJoysticks::count() const { return sf::Joystick::Count; }

JoystickReading SfmlJoysticks::read(unsigned index) const {
    JoystickReading j;
    j.connected = sf::Joystick::isConnected(index);
    if (!j.connected) return j;
    j.x = sf::Joystick::getAxisPosition(index, sf::Joystick::X);
    j.y = sf::Joystick::getAxisPosition(index, sf::Joystick::Y);
    j.povX = sf::Joystick::getAxisPosition(index, sf::Joystick::PovX);
    j.povY = sf::Joystick::getAxisPosition(index, sf::Joystick::PovY);
    j.button0 = sf::Joystick::isButtonPressed(index, 0);
    if (sf::Joystick::getButtonCount(index) == XpadButtons)
        for (unsigned b = 0; b < j.dpadButtons.size(); ++b)
            j.dpadButtons[b] = sf::Joystick::isButtonPressed(index, XpadDpadFirst + b);
    return j;
}

bool PadPoll::next(HeldKeys& held, Event& event) {
    if (!read_) {
        read_ = true;
        queued_ = 0;
        taken_ = 0;
        unsigned keys = 0;
        for (unsigned i = 0; i < joysticks_.count(); ++i) {
            const JoystickReading j = joysticks_.read(i);
            if (j.connected) keys |= padKeys(toPadState(j));
        }
        held.hold(KeySource::Pad, keys, [this](const Event& e) { queue_[queued_++] = e; });
    }
    if (taken_ < queued_) {
        event = queue_[taken_++];
        return true;
    }
    read_ = false;
    return false;
}
