// The player's settings: key lists in both spellings and what they refuse, volumes, and a live recording played back.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/player_settings.h"
#include "host/recorded_input.h"
#include "host/recorder.h"

#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(KeyChoice, ReadsBothSpellingsAndRefusesWhatWouldClash) {
    struct Case {
        const char* list;
        std::vector<std::pair<const char*, Key>> keys;  // empty when refused
        const char* error;                                // part of the refusal
    };
    const Case cases[] = {
        {"left=A,right=D,up=W,down=S,strike=Space",
         {{"A", Key::Left}, {"D", Key::Right}, {"W", Key::Up}, {"S", Key::Down}, {"Space", Key::Return}}, ""},
        {"left:a,right:d", {{"A", Key::Left}, {"D", Key::Right}}, ""},
        {"STRIKE:enter, up = 8", {{"Return", Key::Return}, {"8", Key::Up}}, ""},
        {"down=lshift,strike=RControl", {{"LShift", Key::Down}, {"RControl", Key::Return}}, ""},
        {"left=tab", {}, "Tab"},
        {"left=Left", {{"Left", Key::Left}}, ""},  // an arrow for its own action changes nothing
        {"left=A,right=A", {}, "A is named twice"},
        {"left=A,left=J", {}, "left is named twice"},
        {"up=Down", {}, "Down is named twice"},  // it is the down key already
        {"strike=Return,up=Enter", {}, "Return is named twice"},
        {"jump=Space", {}, "no action 'jump'"},
        {"left=Q1", {}, "no key 'Q1'"},
        {"left=", {}, "no key ''"},
        {"strike=F11", {}, "F11"},
        {"left=A,", {}, "is not action=key"},
        {"", {}, "is not action=key"},
        {"leftA", {}, "is not action=key"},
    };
    for (const Case& c : cases) {
        KeyChoice choice;
        std::string error;
        const bool taken = parseKeyChoice(c.list, choice, error);
        EXPECT_EQ(taken, c.keys.size() > 0) << c.list;
        if (!taken) {
            EXPECT_NE(error.find(c.error), std::string::npos) << c.list << " -> " << error;
            continue;
        }
        ASSERT_EQ(choice.keys.size(), c.keys.size()) << c.list;
        for (const auto& [name, action] : c.keys) EXPECT_EQ(choice.action(name, Key::Unknown), action) << name;
        EXPECT_EQ(choice.action("J", Key::F), Key::F) << c.list;  // a key not chosen stays what it was
    }
}

TEST(Volume, AWholeNumberFrom0To100) {
    const std::pair<const char*, int> cases[] = {
        {"0", 0},   {"50", 50}, {"100", 100}, {"007", 7},  {"101", -1}, {"-1", -1}, {"", -1},
        {"5.5", -1}, {"50%", -1}, {" 50", -1}, {"fifty", -1}, {"99999999999", -1},
    };
    for (const auto& [text, want] : cases) {
        int volume = 42;
        EXPECT_EQ(parseVolume(text, volume), want >= 0) << text;
        EXPECT_EQ(volume, want >= 0 ? want : 42) << text;  // a refused volume leaves it as it was
    }
}

// The live game's platform is the harness, its clock and keys set by the test.

struct Seen {
    int frame;
    double time;
    std::vector<std::pair<Event::Type, Key>> keys;
    bool operator==(const Seen& o) const { return frame == o.frame && time == o.time && keys == o.keys; }
};

// What a game reads in one frame: its time, twice, and every key of its poll.
Seen readFrame(Platform& p, int frame) {
    Seen seen{frame, p.now(), {}};
    EXPECT_EQ(p.now(), seen.time) << "frame " << frame << ": the time moved within the frame";
    for (Event e; p.pollEvent(e);) seen.keys.emplace_back(e.type, e.key);
    return seen;
}

// Frames on time, late, stalled and early, with keys in some of them: the
// recording plays back to the very times and keys the live game read, and
// reads back as the format's reader reads it.
TEST(Recording, PlaysBackToWhatTheLiveGameRead) {
    std::mt19937 rng(5);
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    constexpr Key keys[] = {Key::Left, Key::Up, Key::Return, Key::A, Key::Unknown};
    Harness live;
    live.advance(1234.5);  // the machine's clock, wherever it stands
    std::ostringstream out;
    out << "seed 77\n";
    bool lost = false;
    RecordingPlatform recording(live, out, [&](RecordingStop) { lost = true; });
    EXPECT_EQ(recording.now(), 0.0);  // the game's clocks are made before the first frame
    std::vector<Seen> played;
    double schedule = live.now();
    for (int frame = 1; frame <= 600; ++frame) {
        schedule += 1.0 / 60.0;
        const int kind = below(10);
        if (kind == 0) schedule += 0.5 * below(3);  // a stall, or a frame on time
        live.advance(schedule + (kind == 1 ? 2e-3 * below(4) : 1e-4 * below(9)) - live.now());  // late, or all but on time
        if (below(4) == 0)
            for (int n = 1 + below(3); n > 0; --n)
                live.queue({below(2) ? Event::KeyPressed : Event::KeyReleased, keys[below(5)]});
        if (below(20) == 0) live.queue({Event::Other, Key::Unknown});
        recording.beginFrame();
        played.push_back(readFrame(recording, frame));
        played.back().keys.erase(std::remove_if(played.back().keys.begin(), played.back().keys.end(),
                                                [](const auto& k) { return k.first == Event::Other; }),
                                 played.back().keys.end());
    }
    recording.finish();
    EXPECT_FALSE(lost);

    std::istringstream in(out.str());
    InputScript script;
    std::string error;
    ASSERT_TRUE(parseInputScript(in, script, error)) << error;
    EXPECT_EQ(script.seed, 77u);
    EXPECT_EQ(script.end, 600);
    EXPECT_GT(script.clocks.size(), 20u);   // the stalls and late frames
    EXPECT_LT(script.clocks.size(), 300u);  // and no more
    RecordedInput replay(script, 1.0 / 60.0);
    for (const Seen& live_ : played) {
        replay.beginFrame();
        Seen seen{replay.frame(), replay.now(), {}};
        for (Event e; replay.poll(e);) seen.keys.emplace_back(e.type, e.key);
        EXPECT_EQ(seen, live_) << "frame " << live_.frame << ": " << seen.time << " against " << live_.time;
    }
}

// A recording the disk will not take is told once, and the game goes on.
TEST(Recording, AFailedWriteIsToldOnce) {
    Harness live;
    std::ostringstream out;
    int told = 0;
    RecordingPlatform recording(live, out, [&](RecordingStop why) { told += why == RecordingStop::WriteFailed; });
    out.setstate(std::ios::badbit);
    for (int frame = 1; frame <= 200; ++frame) {
        live.advance(0.02);
        live.press(Key::Up);
        recording.beginFrame();
        Event e;
        EXPECT_TRUE(recording.pollEvent(e));  // the game still gets its keys
    }
    recording.finish();
    EXPECT_EQ(told, 1);
}

}  // namespace
