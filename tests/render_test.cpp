// The drawing pass: layer order, conditions, the curtain fade, the Return prompt and the end screens.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include "presentation/render.h"

#include <gtest/gtest.h>

#include <algorithm>

using P = Picture;

namespace {
struct RenderTest : ::testing::Test {
    Harness h{5};
    void SetUp() override { ASSERT_TRUE(h.start()); }
    Game& g() { return h.game(); }

    std::vector<DrawCall> drawsOf(Picture p) const {
        std::vector<DrawCall> found;
        for (const DrawCall& d : h.last().draws)
            if (d.picture == p) found.push_back(d);
        return found;
    }
    std::ptrdiff_t firstIndexOf(Picture p) const {
        const auto pics = h.lastPictures();
        return std::find(pics.begin(), pics.end(), p) - pics.begin();
    }
    std::ptrdiff_t lastIndexOf(Picture p) const {
        const auto pics = h.lastPictures();
        auto it = std::find(pics.rbegin(), pics.rend(), p);
        return it == pics.rend() ? -1 : static_cast<std::ptrdiff_t>(pics.rend() - it) - 1;
    }
    int curtainAlpha() { return g().curtainSprite.color.a; }
    // The duel scene with the clouds out, as the story leaves it.
    void cloudsOut(int phase) {
        g().cloudGroup = 1;
        g().phase = phase;
    }
    std::size_t foregroundCount() {
        const std::vector<bool>& layers = g().cloudLayers[0];
        return static_cast<std::size_t>(std::count(layers.begin(), layers.end(), true));
    }
};
}  // namespace

TEST_F(RenderTest, StartScreen) {
    h.frame();
    const FrameRecord& f = h.last();
    ASSERT_EQ(f.clears.size(), 1u);
    EXPECT_EQ(f.clears[0], Color(0, 0, 0, 255));
    EXPECT_EQ(f.displays, 1);

    std::vector<Picture> expected{P::NimbaraBest, P::KestraCute};
    expected.insert(expected.end(), 10, P::LivesKestra);
    expected.insert(expected.end(), {P::Black, P::KestraCute, P::ArrowUp, P::ArrowRight, P::ArrowDown,
                                     P::ArrowLeft});
    EXPECT_EQ(h.lastPictures(), expected);
    EXPECT_EQ(f.draws[1].position, Vec2(80, 300));
    EXPECT_EQ(f.draws[12].color.a, 255);  // the curtain
    EXPECT_EQ(f.draws[16].position, Vec2(80, 350));

    h.frames(100);  // no arrow: the start screen stays
    EXPECT_EQ(h.lastPictures(), expected);
    EXPECT_EQ(curtainAlpha(), 255);
}

TEST_F(RenderTest, CurtainFadesFromTheFirstArrowPress) {
    h.frame();
    h.press(Key::Up);
    h.frame();  // the press is polled at the end of this frame
    EXPECT_EQ(curtainAlpha(), 255);
    h.frame();  // the start gate sees it: no arrows, the curtain starts to fade
    EXPECT_FALSE(g().showStartPrompt);
    ASSERT_EQ(drawsOf(P::Black).size(), 1u);
    EXPECT_EQ(drawsOf(P::Black)[0].color.a, 255);
    EXPECT_EQ(curtainAlpha(), 250);
    EXPECT_TRUE(drawsOf(P::ArrowUp).empty());
    EXPECT_EQ(drawsOf(P::KestraCute).size(), 2u);  // still drawn over the curtain

    int drawn = 1;
    for (int i = 0; i < 100; ++i) {
        h.frame();
        if (drawsOf(P::Black).empty()) break;
        ++drawn;
    }
    EXPECT_EQ(drawn, 49);  // 255, 250, ... 15
    EXPECT_EQ(curtainAlpha(), CurtainMinAlpha);
    h.frames(10);
    EXPECT_TRUE(drawsOf(P::Black).empty());
    EXPECT_EQ(curtainAlpha(), CurtainMinAlpha);
}

TEST_F(RenderTest, HiddenPlayerPausesTheCurtain) {
    g().showStartPrompt = false;
    h.frame();
    EXPECT_EQ(curtainAlpha(), 250);
    g().playerShown = false;
    h.frame();
    EXPECT_EQ(curtainAlpha(), 250);
    EXPECT_TRUE(drawsOf(P::Black).empty());
    EXPECT_TRUE(drawsOf(P::KestraCute).empty());
    g().playerShown = true;
    h.frame();
    EXPECT_EQ(curtainAlpha(), 245);
}

TEST_F(RenderTest, FlightLayers) {
    g().curtainSprite.setAlpha(CurtainMinAlpha);
    g().showStartPrompt = false;
    cloudsOut(3);
    g().flashOn = true;
    h.frame();
    // Backdrop, background clouds, wave 3, flash, player, clouds 2 and 1, foreground clouds, icons.
    EXPECT_EQ(firstIndexOf(P::NimbaraBest), 0);
    EXPECT_EQ(drawsOf(P::BestGriffin).size(), 50u);
    EXPECT_LT(lastIndexOf(P::BestGriffin), firstIndexOf(P::White));
    EXPECT_LT(firstIndexOf(P::White), firstIndexOf(P::KestraCute));
    EXPECT_EQ(drawsOf(P::KestraCute).size(), 1u);  // clouds are out: no second player draw
    const std::size_t background = 20 - foregroundCount();
    EXPECT_EQ(drawsOf(P::OrdinaryCloud).size(), background + 2 + foregroundCount());
    EXPECT_EQ(h.last().draws[firstIndexOf(P::KestraCute) + 1].position, g().cloudGroups[0][2].position);
    EXPECT_EQ(h.last().draws[firstIndexOf(P::KestraCute) + 2].position, g().cloudGroups[0][1].position);
    EXPECT_EQ(h.lastPictures().back(), P::LivesKestra);
    EXPECT_TRUE(drawsOf(P::TrainingColumn).empty());  // other waves are not drawn
}

TEST_F(RenderTest, DuelLayers) {
    g().curtainSprite.setAlpha(CurtainMinAlpha);
    g().showStartPrompt = false;
    cloudsOut(-1);
    g().vexmorPresent = true;
    g().lightningShown = true;
    g().lightningArmed = true;
    g().sinkLaunched = true;
    h.frame();
    // Foreground clouds are not drawn in the duel, but clouds 2 and 1 still pass in front.
    const std::size_t background = 20 - foregroundCount();
    EXPECT_EQ(drawsOf(P::OrdinaryCloud).size(), background + 2);
    EXPECT_LT(firstIndexOf(P::KitchenSink), firstIndexOf(P::KestraCute));
    EXPECT_LT(firstIndexOf(P::KestraCute), firstIndexOf(P::LightningCloud));
    EXPECT_LT(firstIndexOf(P::LightningCloud), firstIndexOf(P::Enter));
    EXPECT_LT(firstIndexOf(P::Enter), firstIndexOf(P::VexmorBest));
    EXPECT_EQ(drawsOf(P::LivesVexmor).size(), 5u);
    EXPECT_LT(lastIndexOf(P::LivesVexmor), firstIndexOf(P::LivesKestra));
    EXPECT_EQ(drawsOf(P::KitchenSink)[0].position.x, 600.f);
    EXPECT_EQ(g().sinkSprite.position.x, 599.f);  // drifts after it is drawn
}

TEST_F(RenderTest, WinSequenceLayers) {
    g().curtainSprite.setAlpha(CurtainMinAlpha);
    g().showStartPrompt = false;
    cloudsOut(-2);
    g().vexmorPresent = true;
    g().lightningShown = true;
    g().lightningArmed = true;
    h.frame();
    EXPECT_EQ(drawsOf(P::OrdinaryCloud).size(), 20 - foregroundCount());
    EXPECT_TRUE(drawsOf(P::LightningCloud).empty());
    EXPECT_TRUE(drawsOf(P::Enter).empty());
    EXPECT_TRUE(drawsOf(P::LivesVexmor).empty());  // the row shows only in the duel
    // The cloud prototype shows Vexmor's side view, over the vanishing Vexmor.
    EXPECT_EQ(firstIndexOf(P::VexmorBestSide), firstIndexOf(P::Void) + 1);
    EXPECT_EQ(drawsOf(P::VexmorBestSide)[0].position, Vec2(600, 300));
    EXPECT_EQ(drawsOf(P::Void)[0].position, Vec2(600, 295));
}

TEST_F(RenderTest, VexmorsVisitShowsNoLifeRow) {
    cloudsOut(1);
    g().vexmorPresent = true;
    h.frame();
    EXPECT_EQ(drawsOf(P::VexmorBest).size(), 1u);
    EXPECT_TRUE(drawsOf(P::LivesVexmor).empty());
}

TEST_F(RenderTest, ReturnPromptFollowsTheZoneUnclamped) {
    g().phase = -1;
    g().lightningArmed = true;
    g().lightningZone.position = Vec2(599, 499);
    h.frame();
    ASSERT_EQ(drawsOf(P::Enter).size(), 1u);
    EXPECT_EQ(drawsOf(P::Enter)[0].position, Vec2(624, 524));
    g().lightningArmed = false;
    g().lightningZone.position = Vec2(0, 0);
    h.frame();
    EXPECT_EQ(g().enterPrompt.position, Vec2(624, 524));  // moved only when drawn
}

TEST_F(RenderTest, EndScreens) {
    h.frames(9);
    EXPECT_EQ(g().endScreenAlpha, 9);  // counts every frame
    EXPECT_TRUE(drawsOf(P::YouWin).empty());

    g().playerLives = 0;  // an empty row, not yet lost
    h.frame();
    EXPECT_TRUE(drawsOf(P::YouLose).empty());

    g().playerLives = -1;
    h.frame();
    ASSERT_EQ(drawsOf(P::YouLose).size(), 1u);
    EXPECT_EQ(drawsOf(P::YouLose)[0].color.a, 0);  // first frame: the alpha from set-up
    EXPECT_EQ(g().endScreenAlpha, 12);
    h.frame();
    EXPECT_EQ(drawsOf(P::YouLose)[0].color.a, 11);

    g().showWinScreen = true;
    h.frame();
    EXPECT_EQ(h.lastPictures().back(), P::YouWin);  // the win screen covers the lose screen
    EXPECT_EQ(h.lastPictures()[h.lastPictures().size() - 2], P::YouLose);
    EXPECT_EQ(drawsOf(P::YouWin)[0].color.a, 14);
    EXPECT_EQ(g().endScreenAlpha, 16);  // advanced twice a frame

    h.frames(200);
    EXPECT_EQ(g().endScreenAlpha, 255);
    EXPECT_EQ(drawsOf(P::YouWin)[0].color, Color(255, 255, 255, 255));
}
