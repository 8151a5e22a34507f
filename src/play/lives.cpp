// Hits, the two-second blink, lost lives, the life icon rows and the defeated flier.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "play/play.h"

#include "shell/state/game.h"

#include <cstdint>

namespace {
// A negative counter reads as a huge unsigned one and so removes nothing.
void trimRow(int lives, std::vector<Sprite>& icons) {
    if (static_cast<std::uint32_t>(lives) < icons.size()) icons.pop_back();
}
}  // namespace

void startHit(Game& g) {
    g.hitClock.restart();
    g.hitActive = true;
}

void trimLifeIcons(Game& g) {
    trimRow(g.playerLives, g.playerLifeIcons);
    trimRow(g.vexmorLives, g.vexmorLifeIcons);
}

void stepDefeat(Game& g) {
    g.playerSprite.picture = Picture::KestraCuteFlip;
    g.playerBox.position.y -= 3.f;
}

void stepHit(Game& g) {
    // Hidden, shown, hidden, shown for half a second each; every test reads
    // the clock afresh.
    const Clock& t = g.hitClock;
    if (t.seconds() < 0.5f) g.playerShown = false;
    if (t.seconds() >= 0.5f && t.seconds() < 1.0f) g.playerShown = true;
    if (t.seconds() >= 1.0f && t.seconds() < 1.5f) g.playerShown = false;
    if (t.seconds() >= 1.5f && t.seconds() < 2.0f) g.playerShown = true;
    if (t.seconds() >= 2.0f) {
        g.playerLives -= 1;
        g.hitActive = false;
    }
}
