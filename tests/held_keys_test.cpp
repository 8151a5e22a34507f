// The player's devices merged into one key stream: what the core sees as keyboard, touch and pad come and go.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/held_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One step of a script: a keyboard event, a device's whole set, or focus lost.
struct Step {
    enum What { KeyDown, KeyUp, Touch, Pad, FocusLost } what;
    unsigned keys;  // a PlayKeys bit for the keyboard, the whole set for touch and pad
    const char* seen;  // what the core sees, e.g. "+Left -Up"; "" for nothing
    KeyId id = 0;      // the keyboard's key; 0 for the arrow or Return itself
};

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

std::string run(HeldKeys& keys, const Step& s) {
    std::string seen;
    const auto emit = [&](const Event& e) {
        seen += std::string(seen.empty() ? "" : " ") + (e.type == Event::KeyPressed ? "+" : "-") + name(e.key);
    };
    switch (s.what) {
    case Step::KeyDown:
    case Step::KeyUp: {
        Event e;
        e.type = s.what == Step::KeyDown ? Event::KeyPressed : Event::KeyReleased;
        for (const Key k : PlayKeys)
            if (playKeyBit(k) == s.keys) e.key = k;
        if (keys.keyboard(e, s.id != 0 ? s.id : s.keys)) emit(e);
        break;
    }
    case Step::Touch: keys.hold(KeySource::Touch, s.keys, emit); break;
    case Step::Pad: keys.hold(KeySource::Pad, s.keys, emit); break;
    case Step::FocusLost: keys.releaseAll(emit); break;
    }
    return seen;
}

constexpr unsigned L = 1, R = 2, U = 4, D = 8, Ret = 16;

struct Script {
    const char* name;
    std::vector<Step> steps;
};

TEST(HeldKeys, TheCoreSeesAKeyUpOnlyWhenNoDeviceHoldsIt) {
    const std::vector<Script> scripts = {
        {"keyboard repeats pass, releases pass",
         {{Step::KeyDown, L, "+Left"}, {Step::KeyDown, L, "+Left"}, {Step::KeyUp, L, "-Left"}}},
        {"focus lost lets go of every key once; the late key-up is swallowed; pressed again it works",
         {{Step::KeyDown, L, "+Left"},
          {Step::KeyDown, Ret, "+Return"},
          {Step::FocusLost, 0, "-Left -Return"},
          {Step::KeyUp, L, ""},
          {Step::FocusLost, 0, ""},
          {Step::KeyDown, L, "+Left"},
          {Step::KeyUp, L, "-Left"}}},
        {"touch sets: a diagonal, a slide from one arm to the next, a cancel",
         {{Step::Touch, L | U, "+Left +Up"},
          {Step::Touch, R | U, "-Left +Right"},
          {Step::Touch, R | U, ""},
          {Step::Touch, 0, "-Right -Up"}}},
        {"a key held on two devices goes up with the last",
         {{Step::KeyDown, L, "+Left"},
          {Step::Pad, L | Ret, "+Return"},
          {Step::KeyUp, L, ""},
          {Step::Pad, Ret, "-Left"},
          {Step::Touch, Ret, ""},
          {Step::Pad, 0, ""},
          {Step::Touch, 0, "-Return"}}},
        {"a chosen key and the arrow it stands for are held each on its own",
         {{Step::KeyDown, L, "+Left", 'A'},
          {Step::KeyDown, L, "+Left"},
          {Step::KeyUp, L, "", 'A'},
          {Step::KeyUp, L, "-Left"}}},
        {"the two Return keys, let go in the order pressed",
         {{Step::KeyDown, Ret, "+Return", 'E'}, {Step::KeyDown, Ret, "+Return", 'N'},
          {Step::KeyUp, Ret, "", 'E'}, {Step::KeyUp, Ret, "-Return", 'N'}}},
        {"a key let go as another action (the layout switched) lets go of what it pressed",
         {{Step::KeyDown, L, "+Left", 'A'}, {Step::KeyUp, R, "-Left", 'A'}, {Step::KeyUp, R, ""}}},
        {"focus lost lets go of touch and pad too",
         {{Step::Touch, D, "+Down"}, {Step::Pad, R, "+Right"}, {Step::FocusLost, 0, "-Right -Down"},
          {Step::Pad, R, "+Right"}}},
    };
    for (const Script& script : scripts) {
        HeldKeys keys;
        for (std::size_t i = 0; i < script.steps.size(); ++i)
            EXPECT_EQ(run(keys, script.steps[i]), script.steps[i].seen) << script.name << ", step " << i + 1;
    }
}

TEST(HeldKeys, KeysTheGameIgnoresPassUntouched) {
    HeldKeys keys;
    Event e;
    e.key = Key::Space;
    e.type = Event::KeyReleased;
    EXPECT_TRUE(keys.keyboard(e, 'X'));  // never held as far as the merge knows, still the core's to see
    EXPECT_EQ(playKeyBit(Key::Space), 0u);
    EXPECT_EQ(keys.all(), 0u);
}

}  // namespace
