// Start-up: loads each asset group and builds the scene objects that show it, in order.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "shell/loop.h"

#include "play/play.h"
#include "story/story.h"

namespace {

void buildEndScreens(Game& g) {
    g.winSprite = Sprite(Picture::YouWin);
    g.loseSprite = Sprite(Picture::YouLose);
    g.winSprite.setAlpha(0);  // both fade in from nothing
    g.loseSprite.setAlpha(0);
}

void buildLifeRowsAndCovers(Game& g) {
    Sprite vexmorLife(Picture::LivesVexmor);
    Sprite playerLife(Picture::LivesKestra);
    playerLife.position = Vec2(25.f, 25.f);
    vexmorLife.position = Vec2(75.f, 525.f);
    for (int k = 0; k < 10; ++k) {
        Sprite icon = playerLife;
        icon.position.x += static_cast<float>(75 * k);
        g.playerLifeIcons.push_back(icon);
    }
    for (int k = 0; k < 5; ++k) {
        Sprite icon = vexmorLife;
        icon.position.x += static_cast<float>(150 * k);
        g.vexmorLifeIcons.push_back(icon);
    }
    g.curtainSprite = Sprite(Picture::Black);
    g.flashSprite = Sprite(Picture::White);
    g.hitClock.restart();
}

void buildPrompts(Game& g) {
    g.enterPrompt = Sprite(Picture::Enter);
    g.playerBox = Quad::box(45.f, 45.f);
    g.playerBox.position.y = static_cast<float>(ScreenHeight / 2) + g.playerBox.points[0].y;
    g.playerBox.position.x = static_cast<float>(ScreenWidth / 10) + g.playerBox.points[0].x;

    // The arrows mark the start position around the player and never move.
    const Vec2 box = g.playerBox.position;
    Sprite up(Picture::ArrowUp), right(Picture::ArrowRight), down(Picture::ArrowDown),
        left(Picture::ArrowLeft);
    up.position.x = box.x;
    right.position.x = box.x + 50.f;
    down.position.x = box.x;
    left.position.x = box.x - 50.f;
    up.position.y = box.y - 50.f;
    right.position.y = box.y;
    down.position.y = box.y + 50.f;
    left.position.y = box.y;
    g.arrowSprites = {up, right, down, left};
}

void buildPlayer(Game& g) { g.playerSprite = Sprite(Picture::KestraCute); }

void buildField(Game& g) {
    g.sinkSprite = Sprite(Picture::KitchenSink);
    g.sinkSprite.position = Vec2(600.f, 300.f);
    g.blockPrototype = Quad::box(40.f, 40.f);
    g.blockPrototype.position.y = static_cast<float>(ScreenHeight / 2) + g.blockPrototype.points[0].y;
    g.blockPrototype.position.x = static_cast<float>(4 * (ScreenWidth / 10)) + g.blockPrototype.points[0].x;
    buildWaves(g);
}

void buildVexmor(Game& g) {
    const Vec2 stage(static_cast<float>(ScreenWidth * 3 / 4), static_cast<float>(ScreenHeight / 2));
    g.vexmorSprite = Sprite(Picture::VexmorBest);
    g.vexmorSprite.position = stage;
    g.vexmorBox = Quad::box(30.f, 80.f);
    g.vexmorBox.position = stage;
}

void buildSky(Game& g) {
    g.backdropSprite = Sprite(Picture::NimbaraBest);
    g.cloudPrototype = Sprite(Picture::OrdinaryCloud);
    g.lightningSprite = Sprite(Picture::LightningCloud);
    // The zone is wound the other way round from the boxes.
    g.lightningZone.position = Vec2(200.f, 200.f);
    g.lightningZone.addPoint(0.f, 0.f);
    g.lightningZone.addPoint(200.f, 0.f);
    g.lightningZone.addPoint(200.f, 100.f);
    g.lightningZone.addPoint(0.f, 100.f);
    buildCloudField(g);  // after the waves: both draw from the one random sequence
}

struct BuildStep {
    int pictureGroup;
    void (*build)(Game&);
};

// Each picture group is loaded right before the objects that show it.
constexpr BuildStep buildOrder[] = {
    {1, buildEndScreens},
    {2, buildLifeRowsAndCovers},
    {3, buildPrompts},
    {4, buildPlayer},
    {5, buildField},
    {6, buildVexmor},
    {7, buildSky},
};

bool loadClips(Platform& io) {
    for (const ClipFile& f : clipFiles)
        if (!io.loadClipBuffer(f.clip)) return false;
    io.buildClips();
    return true;
}

bool loadPictureGroup(Platform& io, int group) {
    for (const PictureFile& f : pictureFiles)
        if (f.group == group && !io.loadPicture(f.picture)) return false;
    return true;
}

}  // namespace

bool buildScene(Game& g) {
    if (!loadClips(g.io)) return false;
    for (const BuildStep& step : buildOrder) {
        if (!loadPictureGroup(g.io, step.pictureGroup)) return false;
        step.build(g);
    }
    return true;
}
