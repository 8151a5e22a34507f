// The recorded play-throughs: the win and the loss they were made for, the first frame of every wave, and the file format.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <sstream>
#include <string>

using P = Picture;

namespace {

bool isWavePicture(P p) {
    constexpr P wavePictures[] = {P::TrainingColumn, P::NightdartBest, P::BestGriffin, P::Column,
                                  P::Enemy,          P::NewColumn,     P::Nightdart,   P::Kestra};
    return std::find(std::begin(wavePictures), std::end(wavePictures), p) != std::end(wavePictures);
}

struct Recording {
    const char* file;
    bool wins;
};

class RecordedInput : public ::testing::TestWithParam<Recording> {};

}  // namespace

// Each recording plays to its ending, and the frame in which a wave comes on
// draws its pictures where its blocks are: beyond the right edge.
TEST_P(RecordedInput, PlaysToItsEnding) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(loadRecording(GetParam().file, script, error)) << error;
    Harness h(script.seed);
    ASSERT_TRUE(h.start());
    h.schedule(script);
    const Game& g = h.game();
    int lastPhase = 0, phaseChanges = 0, lastLives = g.playerLives;
    std::vector<Clip> clips;
    while (h.frameCount() < script.end) {
        h.frame();
        clips.insert(clips.end(), h.last().clips.begin(), h.last().clips.end());
        const bool waveComesOn = g.phase != lastPhase && g.phase > 0;
        phaseChanges += waveComesOn ? 1 : 0;
        for (const DrawCall& d : h.last().draws) {
            if (!isWavePicture(d.picture)) continue;
            if (waveComesOn) {
                ASSERT_GE(d.position.x, static_cast<float>(ScreenWidth)) << "phase " << g.phase;
            }
        }
        lastPhase = g.phase;
        ASSERT_LE(g.playerLives, lastLives);
        lastLives = g.playerLives;
    }
    const std::vector<P> shown = h.lastPictures();
    const DrawCall& top = h.last().draws.back();
    EXPECT_EQ(top.color.a, 255);
    if (GetParam().wins) {
        EXPECT_EQ(phaseChanges, 7);
        EXPECT_EQ(g.playerLives, 10) << "the winning run dodges every block and Vexmor";
        EXPECT_EQ(g.vexmorLives, 0);
        EXPECT_TRUE(g.showWinScreen);
        EXPECT_EQ(top.picture, P::YouWin);
        EXPECT_EQ(std::count(clips.begin(), clips.end(), Clip::WithVexmorCooked), 1);
        EXPECT_EQ(std::count(clips.begin(), clips.end(), Clip::AShockOf), 1);
    } else {
        EXPECT_LT(g.playerLives, 0);
        EXPECT_EQ(top.picture, P::YouLose);
        EXPECT_EQ(g.playerSprite.picture, P::KestraCuteFlip);
        EXPECT_FALSE(g.showWinScreen);
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, RecordedInput,
                         ::testing::Values(Recording{"win.keys", true}, Recording{"lose.keys", false}),
                         [](const ::testing::TestParamInfo<Recording>& param) {
                             return std::string(param.param.wins ? "Win" : "Lose");
                         });

TEST(InputScript, ReadsWhatItWritesAndNamesTheBadLine) {
    InputScript script;
    script.seed = 42;
    script.events = {{2, Event::KeyPressed, Key::Up}, {9, Event::KeyReleased, Key::Up},
                     {9, Event::KeyPressed, Key::Return}};
    script.end = 100;
    std::ostringstream written;
    ASSERT_TRUE(writeInputScript(written, script));
    std::istringstream in("# a comment\n\n" + written.str());
    // Older recordings, without clock lines, read as they always did.
    EXPECT_EQ(written.str().find("clock"), std::string::npos);
    InputScript read;
    std::string error;
    ASSERT_TRUE(parseInputScript(in, read, error)) << error;
    EXPECT_EQ(read.seed, 42u);
    EXPECT_EQ(read.end, 100);
    ASSERT_EQ(read.events.size(), 3u);
    EXPECT_EQ(read.events[2].key, Key::Return);
    EXPECT_EQ(read.events[1].type, Event::KeyReleased);

    const std::pair<const char*, const char*> bad[] = {
        {"3 press Up\n2 release Up\n", "line 2"},  // frames go backwards
        {"0 press Up\n", "line 1"},                // frames count from 1
        {"5 hold Up\n", "press, release or clock"},
        {"5 press Tab\n", "unknown key"},
        {"seed -3\n", "seed takes one number"},
        {"end 12 13\n", "end takes one number"},
        {"5 press Up now\n", "too many words"},
        {"99999999999 press Up\n", "line 1"},
        {"10000001 press Up\n", "from 1 to 10000000"},
        {"end 10000001\n", "end takes one number"},
        {"seed 4294967296\n", "seed takes one number"},
        {"seed 1\nseed 2\n", "line 2: a second seed (the first is on line 1)"},
        {"4 press Up\nend 9\nend 9\n", "line 3: a second end"},
        {"end 9\n4 press Up\n", "line 2: an event after the end (line 1)"},
        {"4 press Up\n8 release Up\nend 7\n", "line 3: end 7 comes before the last line's frame 8"},
        {"4 clock 1.5\nend 3\n", "line 2: end 3 comes before the last line's frame 4"},
        {"4 clock 1.1234567\n", "at most six decimals"},
        {"4 clock -1\n", "clock takes seconds"},
        {"4 clock 1.\n", "clock takes seconds"},
        {"4 clock .5\n", "clock takes seconds"},
        {"4 clock 10000000.000001\n", "clock takes seconds"},
        {"4 clock 1\n4 clock 2\n", "line 2: a second clock reading for frame 4"},
        {"4 press Up\n4 clock 2\n", "line 2: a clock reading after a key event of its frame"},
        {"5 clock 2\n4 press Up\n", "line 2: frame 4 comes before"},
        {"5 press Up\n4 clock 2\n", "line 2: frame 4 comes before"},
    };
    for (const auto& [text, message] : bad) {
        std::istringstream bin(text);
        EXPECT_FALSE(parseInputScript(bin, read, error)) << text;
        EXPECT_NE(error.find(message), std::string::npos) << text << " -> " << error;
    }
}

// Any recording the writer accepts reads back identical and writes out the
// same text again; the scripts it refuses leave the stream empty.
TEST(InputScript, RandomRecordingsRoundTrip) {
    constexpr Key keys[] = {Key::Unknown, Key::Left, Key::Right, Key::Up, Key::Down, Key::Return, Key::Space,
                            Key::Escape, Key::LShift, Key::A, Key::D, Key::S, Key::W, Key::F, Key::F1, Key::Num1};
    std::mt19937 rng(17);
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    for (int run = 0; run < 300; ++run) {
        InputScript script;
        const unsigned seeds[] = {0u, 1u, 2147483648u, UINT_MAX, static_cast<unsigned>(rng())};
        script.seed = seeds[below(5)];
        int frame = 1 + below(run % 3 == 0 ? MostFrames : 100);
        for (int n = below(40); n > 0; --n) {
            const Event::Type type = below(2) ? Event::KeyPressed : Event::KeyReleased;
            script.events.push_back({frame, type, keys[below(16)]});
            if (below(3) == 0) script.events.push_back(script.events.back());  // a key repeat in one poll
            frame = std::min(MostFrames, frame + (below(2) ? 0 : below(500)));
        }
        // Clock readings in some frames, events' frames among them, from 0 to the latest a recording holds.
        int clockFrame = 1 + below(50);
        for (int n = below(4) == 0 ? 0 : below(30); n > 0 && clockFrame <= MostFrames; --n) {
            const long long readings[] = {0, 1, 999'999, 1'000'000, MostMicroseconds,
                                          static_cast<long long>(rng()) * 1000 + below(1000)};
            script.clocks.push_back({clockFrame, readings[below(6)]});
            clockFrame += 1 + (below(2) ? below(3) : below(700));
        }
        const int last = std::max(frame, script.clocks.empty() ? 0 : script.clocks.back().frame);
        script.end = script.events.empty() && script.clocks.empty() ? below(10)
                                                                    : std::min(MostFrames, last + below(2) * below(1000));

        std::ostringstream written;
        ASSERT_TRUE(writeInputScript(written, script)) << "run " << run;
        std::istringstream in(written.str());
        InputScript read;
        std::string error;
        ASSERT_TRUE(parseInputScript(in, read, error)) << error << "\n" << written.str();
        EXPECT_EQ(read.seed, script.seed);
        EXPECT_EQ(read.end, script.end);
        EXPECT_EQ(read.events, script.events) << "run " << run;
        EXPECT_EQ(read.clocks, script.clocks) << "run " << run;
        std::ostringstream again;
        ASSERT_TRUE(writeInputScript(again, read));
        EXPECT_EQ(again.str(), written.str());
    }

    const InputEvent up{5, Event::KeyPressed, Key::Up};
    const InputScript refused[] = {
        {1, 4, {up}, {}},                                          // the end before the event
        {1, 9, {up, {4, Event::KeyReleased, Key::Up}}, {}},        // frames going backwards
        {1, 9, {{0, Event::KeyPressed, Key::Up}}, {}},             // frames count from 1
        {1, MostFrames + 1, {}, {}},                               // beyond what a replay runs
        {1, 9, {{5, Event::Closed, Key::Unknown}}, {}},            // no key event
        {1, 9, {{5, Event::KeyPressed, static_cast<Key>(99)}}, {}},  // no such key
    };
    const ClockReading at5{5, 1'000'000};
    const InputScript refusedClocks[] = {
        {1, 9, {}, {at5, at5}},                           // two readings in one frame
        {1, 9, {}, {at5, {4, 0}}},                        // frames going backwards
        {1, 4, {}, {at5}},                                // the end before the reading
        {1, 9, {}, {{0, 0}}},                             // frames count from 1
        {1, 9, {}, {{5, -1}}},                            // before the recording began
        {1, 9, {}, {{5, MostMicroseconds + 1}}},          // beyond what a recording holds
    };
    for (const InputScript& script : refusedClocks) {
        std::ostringstream written;
        EXPECT_FALSE(writeInputScript(written, script));
        EXPECT_EQ(written.str(), "");
    }
    for (const InputScript& script : refused) {
        std::ostringstream written;
        EXPECT_FALSE(writeInputScript(written, script));
        EXPECT_EQ(written.str(), "");
    }
}
