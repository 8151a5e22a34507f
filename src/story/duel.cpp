// The closing duel: Vexmor's chase and touch, the kitchen sink, and the lightning strike.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "story/story.h"

#include "geometry/geometry.h"
#include "play/play.h"
#include "shell/state/game.h"

#include <cstdlib>

namespace {
constexpr float ChaseStep = 1.25f;
constexpr float StrikeDelay = 0.5f;  // seconds after the last Return press

bool cornerInside(const Quad& corners, std::size_t i, const Quad& box) {
    const Vec2 c = corners.corner(i);
    return isInsideQuad(box, c.x, c.y);
}

// A touch through one of the player's corners costs a life when its blink
// ends; one of Vexmor's corners inside the player costs another at once.
void touchVexmor(Game& g) {
    for (std::size_t i = 0; i < 4; ++i) {
        if (cornerInside(g.playerBox, i, g.vexmorBox) && !g.hitActive) startHit(g);
        for (std::size_t j = 0; j < 4; ++j) {
            if (cornerInside(g.vexmorBox, j, g.playerBox) && !g.hitActive) {
                startHit(g);
                g.playerLives -= 1;
            }
        }
    }
}

// Touching the cloud arms a strike until the next one lands; not while blinking.
void touchLightning(Game& g) {
    if (g.hitActive) return;
    for (std::size_t i = 0; i < 4; ++i)
        if (cornerInside(g.playerBox, i, g.lightningZone) || cornerInside(g.lightningZone, i, g.playerBox))
            g.lightningArmed = true;
}

float towards(float from, float to) {
    if (to > from) return ChaseStep;
    if (from > to) return -ChaseStep;
    return 0.f;  // level on this axis: stay
}

void chase(Game& g) {
    const Vec2 player = g.playerBox.position;
    const Vec2 vexmor = g.vexmorBox.position;
    g.vexmorBox.position += Vec2(towards(vexmor.x, player.x), towards(vexmor.y, player.y));
    g.vexmorSprite.position = g.vexmorBox.position;
}
}  // namespace

void stepDuel(Game& g) {
    touchVexmor(g);
    if (g.lightningShown) touchLightning(g);
    chase(g);
}

void launchSink(Game& g) {
    g.sinkSprite.position.x += 400.f;  // from beyond the right edge
    g.sinkSprite.position.y = 350.f;
}

void centreLightning(Game& g) {
    g.lightningSprite.position = Vec2(400.f, 300.f);
    g.lightningZone.position = Vec2(400.f, 300.f);
}

void stepStrike(Game& g) {
    // Armed and Return down: the flash marks the strike in progress.
    if (g.lightningShown && g.enterHeld && g.lightningArmed) {
        if (g.vexmorLives == 5) g.io.play(Clip::AShockOf);
        g.flashOn = true;
    }
    // It lands once Return has not been pressed again for half a second.
    if (g.flashOn && g.enterClock.seconds() > StrikeDelay) {
        g.lightningZone.position.x = static_cast<float>(std::rand() % 600);
        g.lightningZone.position.y = static_cast<float>(std::rand() % 500);
        g.lightningSprite.position = g.lightningZone.position;
        g.vexmorLives -= 1;
        if (g.vexmorLives <= 0) g.phase = -2;
        g.phaseClock.restart();
        g.lightningArmed = false;
        g.flashOn = false;
    }
}
