// The recorded play-throughs: the win and the loss they were made for, the first frame of every wave, and the file format.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

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
                         ::testing::Values(Recording{"win.keys", true}, Recording{"lose.keys", false}));

TEST(InputScript, ReadsWhatItWritesAndNamesTheBadLine) {
    InputScript script;
    script.seed = 42;
    script.events = {{2, Event::KeyPressed, Key::Up}, {9, Event::KeyReleased, Key::Up},
                     {9, Event::KeyPressed, Key::Return}};
    script.end = 100;
    std::ostringstream written;
    writeInputScript(written, script);
    std::istringstream in("# a comment\n\n" + written.str());
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
        {"5 hold Up\n", "press or release"},
        {"5 press Tab\n", "unknown key"},
        {"seed -3\n", "seed takes one number"},
        {"end 12 13\n", "end takes one number"},
        {"5 press Up now\n", "too many words"},
        {"99999999999 press Up\n", "line 1"},
    };
    for (const auto& [text, message] : bad) {
        std::istringstream bin(text);
        EXPECT_FALSE(parseInputScript(bin, read, error)) << text;
        EXPECT_NE(error.find(message), std::string::npos) << text << " -> " << error;
    }
}
