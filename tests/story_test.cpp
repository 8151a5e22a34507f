// The story from the first arrow press to the win screen: phase timing, scenery changes, clouds and flashes.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "story_script.h"

#include "story/story.h"

#include <gtest/gtest.h>

namespace {
struct StoryTest : ::testing::Test {
    Harness h{3};
    void SetUp() override { ASSERT_TRUE(h.start()); }
    Game& g() { return h.game(); }
};
}  // namespace

TEST_F(StoryTest, EveryMomentComesOnTimeAndTheStoryEndsInTheWin) {
    std::map<Clip, int> clips;
    std::vector<float> rushSteps;  // backdrop motion per frame in phase 7
    float lastBackdropX = 0;
    int lastPhase = 0;
    const StoryMoments m = playThroughStory(h, [&](Harness& run) {
        for (Clip c : run.last().clips) ++clips[c];
        const Game& s = run.game();
        if (s.phase == 7 && lastPhase == 7) rushSteps.push_back(lastBackdropX - s.backdropSprite.position.x);
        if (s.phase == -1 && lastPhase == -1) {
            EXPECT_EQ(s.backdropSprite.position.x, lastBackdropX);
        }
        lastBackdropX = s.backdropSprite.position.x;
        lastPhase = s.phase;
    });

    // Each change comes on the first frame past its threshold, so the story
    // falls up to a frame further behind the narration at every change.
    const std::vector<std::pair<std::string, double>> nominal{
        {"phase 1", 5},    {"visit", 23},    {"candy", 28},   {"phase 2", 33},  {"phase 3", 53},
        {"phase 4", 73},   {"forest", 93},   {"phase 5", 98}, {"phase 6", 144}, {"phase 7", 182},
        {"duel", 210},     {"sink", 215},    {"chase", 225},  {"lightning", 235}};
    for (std::size_t i = 0; i < nominal.size(); ++i) {
        ASSERT_TRUE(m.at.count(nominal[i].first)) << nominal[i].first;
        EXPECT_GE(m.at.at(nominal[i].first), nominal[i].second) << nominal[i].first;
        EXPECT_LE(m.at.at(nominal[i].first), nominal[i].second + (i + 1) / 60.0 + 0.001) << nominal[i].first;
    }
    EXPECT_NEAR(m.at.at("win screen") - m.at.at("win"), 5.0, 0.02);

    EXPECT_EQ(g().phase, -2);
    EXPECT_EQ(g().vexmorLives, 0);
    EXPECT_TRUE(g().vexmorLifeIcons.empty());
    EXPECT_EQ(clips[Clip::AShockOf], 1);  // heard while the first strike is armed
    EXPECT_EQ(clips[Clip::WithVexmorCooked], 1);
    EXPECT_GE(clips[Clip::ABeautiful], 2);  // once the gate restarts the story clock
    EXPECT_EQ(g().backdropSprite.picture, Picture::ThornmereBest);
    for (float step : rushSteps) EXPECT_NEAR(step, 1.05f, 0.001f);
    EXPECT_FALSE(rushSteps.empty());
}

TEST_F(StoryTest, WithoutAnArrowTheStartScreenStays) {
    h.frames(60 * 30);
    EXPECT_EQ(g().phase, 0);
    EXPECT_EQ(g().cloudGroup, 0);
    EXPECT_EQ(g().backdropSprite.position.x, 0.f);
    EXPECT_TRUE(g().showStartPrompt);
}

TEST_F(StoryTest, HoldingAnArrowStartsOneFiveSecondCountdown) {
    h.press(Key::Down);  // held for good
    h.frame();
    h.frame();  // the gate opens here
    EXPECT_TRUE(g().countdownRunning);
    const double opened = h.now();
    while (g().phase == 0) h.frame();
    EXPECT_NEAR(h.now() - opened, 5.0, 0.02);
    EXPECT_NEAR(g().storyClock.seconds(), 5.0, 0.02);  // restarted only once
    EXPECT_TRUE(g().backdropScrolling);
    EXPECT_EQ(g().cloudGroup, 1);
}

TEST_F(StoryTest, WavesFlyOnlyInTheirOwnPhase) {
    g().phase = 2;
    g().countdownRunning = false;
    h.frames(10);
    EXPECT_EQ(g().waveShapes[1][24].position.x, 1200.f + 400 * 24 - 50);
    EXPECT_EQ(g().waveShapes[0][0].position.x, 1200.f);
    EXPECT_EQ(g().waveShapes[2][0].position.x, 1200.f);
}

TEST_F(StoryTest, FlashAlternatesEveryTenFramesAndKeepsItsCount) {
    g().flashOn = true;
    std::vector<Picture> shown;
    for (int i = 0; i < 41; ++i) {
        stepFlash(g());
        shown.push_back(g().flashSprite.picture);
    }
    EXPECT_EQ(shown[8], Picture::White);
    EXPECT_EQ(shown[9], Picture::Gray);    // 10th frame
    EXPECT_EQ(shown[19], Picture::White);  // 20th
    EXPECT_EQ(shown[29], Picture::Gray);   // 30th
    EXPECT_EQ(shown[39], Picture::White);  // 40th starts over
    EXPECT_EQ(g().flashFrames, 1);
}

TEST_F(StoryTest, CloudsDriftInTwoLayersAndTurnToCandy) {
    const Sprite cloud2 = g().cloudGroups[0][2];
    g().cloudGroup = 1;
    int frames = 0;
    while (g().cloudGroups[0][2].position.x > 80.f && frames < 5000) {
        driftClouds(g());
        ++frames;
    }
    EXPECT_EQ(frames, 1410);  // cloud 2 reaches Kestra's start column
    EXPECT_EQ(g().cloudGroups[0][2].position.y, cloud2.position.y);
    for (std::size_t i = 0; i < 20; ++i) {
        const float start = g().cloudGroups[1][i].position.x;  // group 2 never moves
        const float moved = start - g().cloudGroups[0][i].position.x;
        EXPECT_FLOAT_EQ(moved, g().cloudLayers[0][i] ? 2.f * 1410 : 0.25f * 1410);
    }
    g().worldStyle = 2;
    h.frame();
    for (const Sprite& c : g().cloudGroups[0]) EXPECT_EQ(c.picture, Picture::CandyCloud);
    EXPECT_EQ(g().cloudGroups[1][0].picture, Picture::OrdinaryCloud);
}
