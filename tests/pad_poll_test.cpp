// The desktop's gamepads without a pad plugged in: scripted joystick readings through the frame's poll, as key events.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/pad_poll.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Two joystick slots whose readings the test sets before each frame.
class ScriptedJoysticks final : public Joysticks {
public:
    unsigned count() const override { return 2; }
    JoystickReading read(unsigned index) const override { return pads[index]; }
    JoystickReading pads[2];
};

JoystickReading pad(float x, float y, float povX, float povY, bool button0) {
    JoystickReading j;
    j.connected = true;
    j.x = x;
    j.y = y;
    j.povX = povX;
    j.povY = povY;
    j.button0 = button0;
    return j;
}
const JoystickReading unplugged{};

const char* name(Key k) {
    switch (k) {
    case Key::Left: return "Left";
    case Key::Right: return "Right";
    case Key::Up: return "Up";
    case Key::Down: return "Down";
    case Key::Return: return "Return";
    default: return "?";
    }
}

// One frame's round of polls: every event until the poll says the round is over.
std::string frame(PadPoll& poll, HeldKeys& held) {
    std::string seen;
    Event e;
    while (poll.next(held, e))
        seen += std::string(seen.empty() ? "" : " ") + (e.type == Event::KeyPressed ? "+" : "-") + name(e.key);
    return seen;
}

TEST(PadPoll, ScriptedPadsBecomeKeyEventsOnceAFrame) {
    struct Frame {
        JoystickReading first, second;
        bool focusLost;  // the host let every key go before this frame
        const char* seen;
    };
    struct Script {
        const char* name;
        std::vector<Frame> frames;
    };
    const std::vector<Script> scripts = {
        {"the hat: up negative, as Linux reports it",
         {{pad(0, 0, 0, -100, false), unplugged, false, "+Up"},
          {pad(0, 0, 0, -100, false), unplugged, false, ""},
          {pad(0, 0, 100, 100, false), unplugged, false, "+Right -Up +Down"},
          {pad(0, 0, 0, 0, false), unplugged, false, "-Right -Down"}}},
        {"the stick beyond its dead zone; a resting stick's drift moves nothing",
         {{pad(18, -25, 0, 0, false), unplugged, false, ""},
          {pad(-100, 0, 0, 0, false), unplugged, false, "+Left"},
          {pad(-100, 60, 0, 0, true), unplugged, false, "+Down +Return"},
          {pad(4, 2, 0, 0, false), unplugged, false, "-Left -Down -Return"}}},
        {"two pads merge; a key goes up when neither holds it, and with a pad unplugged",
         {{pad(100, 0, 0, 0, false), pad(0, 0, 100, 0, true), false, "+Right +Return"},
          {pad(0, 0, 0, 0, false), pad(0, 0, 100, 0, true), false, ""},
          {pad(0, 0, 0, 0, false), unplugged, false, "-Right -Return"}}},
        {"a reading left over from an unplugged pad holds nothing",
         {{[] { JoystickReading j = pad(100, 0, 0, 0, true); j.connected = false; return j; }(), unplugged, false, ""}}},
        {"after focus is lost a pad still held presses again",
         {{pad(0, 0, -100, 0, false), unplugged, false, "+Left"},
          {pad(0, 0, -100, 0, false), unplugged, true, "+Left"}}},
    };
    for (const Script& script : scripts) {
        ScriptedJoysticks joysticks;
        PadPoll poll(joysticks);
        HeldKeys held;
        for (std::size_t i = 0; i < script.frames.size(); ++i) {
            const Frame& f = script.frames[i];
            joysticks.pads[0] = f.first;
            joysticks.pads[1] = f.second;
            if (f.focusLost) held.releaseAll([](const Event&) {});
            EXPECT_EQ(frame(poll, held), f.seen) << script.name << ", frame " << i + 1;
        }
    }
}

}  // namespace
