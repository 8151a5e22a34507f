// The frame loop: every step of a frame, in the order the game runs them.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "shell/loop.h"

#include "play/play.h"
#include "presentation/render.h"
#include "shell/input.h"
#include "story/story.h"

void runFrame(Game& g) {
    narrate(g);
    trimLifeIcons(g);
    if (g.playerLives < 0) stepDefeat(g);
    stepPlayer(g);
    if (g.phase > 0) {
        scrollBackdrop(g);
        stepWave(g);
    } else if (g.phase == -1 && g.vexmorPresent) {
        stepDuel(g);
    }
    if (g.cloudGroup != 0) driftClouds(g);
    if (g.flashOn) stepFlash(g);
    if (g.hitActive) stepHit(g);
    if (g.cloudGroup != 0 && g.worldStyle == 2) candyClouds(g);
    stepPhase(g);
    pollEvents(g);  // keys pressed now move the flier next frame
    renderFrame(g);
}

void runGame(Game& g) {
    while (g.io.windowOpen()) runFrame(g);
}
