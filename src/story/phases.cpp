// The story's phase machine: the start gate, seven timed flights, the duel and the win sequence.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "story/story.h"

#include "shell/state/game.h"

namespace {
bool anyArrowHeld(const Game& g) { return g.leftHeld || g.rightHeld || g.upHeld || g.downHeld; }

// A threshold is passed only when the phase clock reads strictly more.
bool after(const Game& g, float seconds) { return g.phaseClock.seconds() > seconds; }

void nextPhase(Game& g, int phase) {
    g.phaseClock.restart();
    g.phase = phase;
}

void startGate(Game& g) {
    if (g.countdownRunning && after(g, 5)) {
        g.backdropScrolling = true;
        g.countdownRunning = false;
        g.cloudGroup = 1;
        nextPhase(g, 1);
    } else if (g.phase == 0 && anyArrowHeld(g)) {
        // Only the first press starts the clocks: holding on does not prolong the countdown.
        if (!g.countdownRunning) {
            g.phaseClock.restart();
            g.storyClock.restart();
            g.storyStarted = true;
            g.lastStoryReading = 0.f;  // the clock's value at the restart
        }
        g.countdownRunning = true;
        g.showStartPrompt = false;
    }
}

// Phase 1: the sky, Vexmor's visit, and the candy world he leaves behind.
void skyPhase(Game& g) {
    if (after(g, 18)) {
        g.phaseClock.restart();
        g.vexmorPresent = true;
    }
    if (g.vexmorPresent && after(g, 5) && g.worldStyle != 2) {
        g.backdropSprite.picture = Picture::CandyNimbaraBest;
        g.phaseClock.restart();
        g.flashOn = true;
        g.worldStyle = 2;
    }
    if (g.flashOn && after(g, 0.5f)) g.flashOn = false;
    if (g.vexmorPresent && after(g, 5) && g.worldStyle == 2) {
        g.vexmorPresent = false;
        nextPhase(g, 2);
    }
}

void flightPhase(Game& g, float seconds) {
    if (after(g, seconds)) nextPhase(g, g.phase + 1);
}

// Phase 4: twenty seconds of candy, then a flash into the forest.
void forestPhase(Game& g) {
    if (after(g, 20)) {
        g.backdropSprite.picture = Picture::ThornmereBest;
        g.backdropSprite.position.x = 0.f;
        g.phaseClock.restart();
        g.flashOn = true;
        g.forestShown = true;
    }
    if (g.flashOn && after(g, 0.5f)) g.flashOn = false;
    if (g.forestShown && after(g, 5)) nextPhase(g, 5);
}

// Phase 7: the last wave, with the forest rushing past.
void rushPhase(Game& g) {
    if (after(g, 28)) nextPhase(g, -1);
    g.backdropSprite.position.x -= 1.f;
}

void duelPhase(Game& g) {
    if (after(g, 5) && !g.sinkLaunched) {
        launchSink(g);
        g.phaseClock.restart();
        g.sinkLaunched = true;
    }
    if (after(g, 10) && g.sinkLaunched && !g.vexmorPresent) {
        g.phaseClock.restart();
        g.vexmorPresent = true;
    }
    // Ten seconds without a strike bring the cloud back to the centre.
    if (after(g, 10) && g.vexmorPresent) {
        centreLightning(g);
        g.phaseClock.restart();
        g.lightningShown = true;
    }
    if (g.lightningShown || g.flashOn) stepStrike(g);
}

void winPhase(Game& g) {
    g.cloudPrototype.picture = Picture::VexmorBestSide;
    g.cloudPrototype.position = g.vexmorSprite.position;
    g.vexmorSprite.picture = Picture::Void;
    g.vexmorSprite.position.y -= 5.f;
    g.playerBox.position.x += 2.f;
    if (after(g, 5)) {
        if (!g.finalClipPlayed) {
            g.io.play(Clip::WithVexmorCooked);
            g.finalClipPlayed = true;
        }
        g.showWinScreen = true;
    }
}

void runHandler(Game& g) {
    switch (g.phase) {
    case 1: skyPhase(g); break;
    case 2: flightPhase(g, 20); break;
    case 3: flightPhase(g, 20); break;
    case 4: forestPhase(g); break;
    case 5: flightPhase(g, 46); break;
    case 6: flightPhase(g, 38); break;
    case 7: rushPhase(g); break;
    case -1: duelPhase(g); break;
    case -2: winPhase(g); break;
    default: break;
    }
}
}  // namespace

void stepPhase(Game& g) {
    if (g.phase == 0) startGate(g);
    // A handler that moves the story on hands over to the next phase's
    // handler in the same frame.
    int handled = 0;
    do {
        handled = g.phase;
        runHandler(g);
    } while (g.phase != handled);
}

void scrollBackdrop(Game& g) {
    if (g.backdropScrolling)
        g.backdropSprite.position.x = static_cast<float>(static_cast<double>(g.backdropSprite.position.x) - 0.05);
}

// The full-window flash alternates white and gray every ten frames; the
// count carries over from one flash to the next.
void stepFlash(Game& g) {
    g.flashFrames += 1;
    if (g.flashFrames == 40) {
        g.flashSprite.picture = Picture::White;
        g.flashFrames = 0;
    } else if (g.flashFrames == 10) {
        g.flashSprite.picture = Picture::Gray;
    } else if (g.flashFrames == 20) {
        g.flashSprite.picture = Picture::White;
    } else if (g.flashFrames == 30) {
        g.flashSprite.picture = Picture::Gray;
    }
}
