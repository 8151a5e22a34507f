// Start-up: the load order, stopping at the first failed file, and the scene the first frame sees.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
std::vector<std::string> manifestOrder() {
    std::vector<std::string> files;
    for (const ClipFile& f : clipFiles) files.emplace_back(f.file);
    for (const PictureFile& f : pictureFiles) files.emplace_back(f.file);
    return files;
}
}  // namespace

TEST(Loading, EveryFileOnceInManifestOrder) {
    Harness h;
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.loadAttempts(), manifestOrder());
    EXPECT_EQ(h.loadAttempts().size(), 47u);
    EXPECT_TRUE(h.clipsBuilt());
}

TEST(Loading, TheFirstFailureStopsStartUp) {
    {
        Harness h;
        h.failLoading("abeautiful.ogg");
        EXPECT_FALSE(h.start());
        EXPECT_EQ(h.loadAttempts().size(), 1u);
        EXPECT_FALSE(h.clipsBuilt());
        EXPECT_TRUE(h.game().playerLifeIcons.empty());
    }
    {
        Harness h;  // a picture in the middle: nothing after it is tried or built
        h.failLoading("Kestracute.png");
        EXPECT_FALSE(h.start());
        EXPECT_EQ(h.loadAttempts().back(), "Kestracute.png");
        EXPECT_EQ(h.loadAttempts().size(), 15u + 14u);
        EXPECT_EQ(h.game().playerLifeIcons.size(), 10u);  // group 2 was built
        EXPECT_TRUE(h.game().waveShapes.empty());
    }
    {
        Harness h;  // the very last file: all but the sky is built
        h.failLoading("lightningcloudbest.png");
        EXPECT_FALSE(h.start());
        EXPECT_EQ(h.loadAttempts(), manifestOrder());
        EXPECT_EQ(h.game().waveShapes.size(), 7u);
        EXPECT_EQ(h.game().vexmorBox.pointCount, 4u);
        EXPECT_TRUE(h.game().cloudGroups.empty());
        EXPECT_EQ(h.game().lightningZone.pointCount, 0u);
    }
}

TEST(Scene, FirstFrameLayout) {
    Harness h;
    ASSERT_TRUE(h.start());
    Game& g = h.game();

    ASSERT_EQ(g.playerLifeIcons.size(), 10u);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(g.playerLifeIcons[static_cast<std::size_t>(k)].position, Vec2(25.f + 75.f * k, 25.f));
        EXPECT_EQ(g.playerLifeIcons[static_cast<std::size_t>(k)].picture, Picture::LivesKestra);
    }
    ASSERT_EQ(g.vexmorLifeIcons.size(), 5u);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(g.vexmorLifeIcons[static_cast<std::size_t>(k)].position, Vec2(75.f + 150.f * k, 525.f));

    EXPECT_EQ(g.winSprite.color, Color(255, 255, 255, 0));
    EXPECT_EQ(g.loseSprite.color, Color(255, 255, 255, 0));
    EXPECT_EQ(g.curtainSprite.color.a, 255);

    EXPECT_EQ(g.playerBox.position, Vec2(80, 300));
    EXPECT_EQ(g.playerSprite.position, Vec2(0, 0));
    ASSERT_EQ(g.arrowSprites.size(), 4u);
    EXPECT_EQ(g.arrowSprites[0].picture, Picture::ArrowUp);
    EXPECT_EQ(g.arrowSprites[0].position, Vec2(80, 250));
    EXPECT_EQ(g.arrowSprites[1].position, Vec2(130, 300));
    EXPECT_EQ(g.arrowSprites[2].position, Vec2(80, 350));
    EXPECT_EQ(g.arrowSprites[3].picture, Picture::ArrowLeft);
    EXPECT_EQ(g.arrowSprites[3].position, Vec2(30, 300));

    EXPECT_EQ(g.sinkSprite.position, Vec2(600, 300));
    EXPECT_EQ(g.blockPrototype.position, Vec2(320, 300));
    EXPECT_EQ(g.vexmorSprite.position, Vec2(600, 300));
    EXPECT_EQ(g.vexmorBox.position, Vec2(600, 300));
    EXPECT_EQ(g.vexmorBox.corner(2), Vec2(630, 380));
    EXPECT_EQ(g.lightningZone.position, Vec2(200, 200));
    EXPECT_EQ(g.lightningZone.corner(1), Vec2(400, 200));  // wound the other way
    EXPECT_EQ(g.backdropSprite.picture, Picture::NimbaraBest);

    ASSERT_EQ(g.cloudGroups.size(), 8u);
    for (const auto& group : g.cloudGroups) {
        ASSERT_EQ(group.size(), 20u);
        for (std::size_t i = 0; i < 20; ++i) EXPECT_EQ(group[i].position, g.cloudGroups[0][i].position);
    }
    EXPECT_EQ(g.cloudGroups[0][2].position, Vec2(2900, 330));
    EXPECT_TRUE(g.cloudLayers[0][2]);

    EXPECT_EQ(g.phase, 0);
    EXPECT_EQ(g.playerLives, 10);
    EXPECT_EQ(g.vexmorLives, 5);
    EXPECT_TRUE(g.playerShown);
    EXPECT_TRUE(g.showStartPrompt);
    EXPECT_FALSE(g.hitActive);
    EXPECT_EQ(g.worldStyle, 1);
    EXPECT_EQ(g.cloudGroup, 0);

    h.frame();
    EXPECT_EQ(g.playerSprite.position, Vec2(80, 300));
}

TEST(Scene, WavesDrawBeforeTheCloudField) {
    Harness h(2024);
    ASSERT_TRUE(h.start());
    const Game& g = h.game();

    // Replay the sequence: the first draw is wave 2's first block, the
    // cloud field starts after all 94 wave heights.
    std::srand(2024);
    EXPECT_EQ(g.waveShapes[1][0].position.y, static_cast<float>(std::rand() % 560));
    for (int i = 1; i < 94; ++i) std::rand();
    const int r = std::rand();
    const int s = std::rand();
    const int y = std::rand() % 560;
    const bool foreground = (r & 1) != 0;
    EXPECT_EQ(g.cloudLayers[0][0], foreground);
    EXPECT_EQ(g.cloudGroups[0][0].position,
              Vec2(static_cast<float>(800 + (foreground ? s % 200 : 0)), static_cast<float>(y)));
}
