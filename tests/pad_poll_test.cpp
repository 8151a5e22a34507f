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

// A plugged-in pad as SFML reads it (-100..100), or an unplugged one still holding its last reading.
JoystickReading pad(float x, float y, float povX, float povY, bool button0, bool connected = true) {
    return {connected, x, y, povX, povY, button0};
}
const JoystickReading none{};

// One frame's round of polls, every event until the poll ends it, as "+R -U" (keys LRUDA).
std::string frame(PadPoll& poll, HeldKeys& held) {
    std::string seen;
    for (Event e; poll.next(held, e);) {
        seen += seen.empty() ? "" : " ";
        seen += e.type == Event::KeyPressed ? '+' : '-';
        for (std::size_t i = 0; i < PlayKeys.size(); ++i)
            if (PlayKeys[i] == e.key) seen += "LRUDA"[i];
    }
    return seen;
}

TEST(PadPoll, ScriptedPadsBecomeKeyEventsOnceAFrame) {
    struct Frame {
        JoystickReading first, second;
        bool focusLost;  // the host let every key go before this frame
        const char* seen;
    };
    const std::vector<std::pair<const char*, std::vector<Frame>>> scripts = {
        {"the hat, up negative as Linux reports it",
         {{pad(0, 0, 0, -100, false), none, false, "+U"},
          {pad(0, 0, 0, -100, false), none, false, ""},
          {pad(0, 0, 100, 100, false), none, false, "+R -U +D"},
          {pad(0, 0, 0, 0, false), none, false, "-R -D"}}},
        {"the stick scaled from SFML's hundredths; button 0",
         {{pad(18, -25, 0, 0, false), none, false, ""},
          {pad(-100, 60, 0, 0, true), none, false, "+L +D +A"},
          {pad(4, 2, 0, 0, false), none, false, "-L -D -A"}}},
        {"two pads merge; a key goes up when neither holds it, or its pad is unplugged",
         {{pad(100, 0, 0, 0, false), pad(0, 0, 100, 0, true), false, "+R +A"},
          {none, pad(0, 0, 100, 0, true), false, ""},
          {none, pad(0, 0, 100, 0, true, false), false, "-R -A"}}},
        {"the d-pad as buttons, left right up down, with the hat at rest",
         {{{true, 0, 0, 0, 0, false, {true, false, true, false}}, none, false, "+L +U"},
          {{true, 0, 0, 0, 0, false, {false, false, false, true}}, none, false, "-L -U +D"}}},
        {"after focus is lost a pad still held presses again",
         {{pad(0, 0, -100, 0, false), none, false, "+L"}, {pad(0, 0, -100, 0, false), none, true, "+L"}}},
    };
    for (const auto& [name, frames] : scripts) {
        ScriptedJoysticks joysticks;
        PadPoll poll(joysticks);
        HeldKeys held;
        for (std::size_t i = 0; i < frames.size(); ++i) {
            joysticks.pads[0] = frames[i].first;
            joysticks.pads[1] = frames[i].second;
            if (frames[i].focusLost) held.releaseAll([](const Event&) {});
            EXPECT_EQ(frame(poll, held), frames[i].seen) << name << ", frame " << i + 1;
        }
    }
}

}  // namespace
