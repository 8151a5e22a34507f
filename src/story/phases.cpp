// The story's phase machine; for now the start gate that the first arrow press opens.
#include "story/story.h"

#include "shell/game.h"

namespace {
bool anyArrowHeld(const Game& g) { return g.leftHeld || g.rightHeld || g.upHeld || g.downHeld; }

void stepStartGate(Game& g) {
    if (g.phase != 0 || !anyArrowHeld(g)) return;
    // Only the first press starts the clocks: holding on does not prolong the countdown.
    if (!g.countdownRunning) {
        g.phaseClock.restart();
        g.storyClock.restart();
    }
    g.countdownRunning = true;
    g.showStartPrompt = false;
}
}  // namespace

void stepPhase(Game& g) {
    if (g.phase == 0) stepStartGate(g);
}

// Narration, the backdrop drift, the flash and the duel come with the story.
void narrate(Game&) {}
void scrollBackdrop(Game&) {}
void stepFlash(Game&) {}
void stepDuel(Game&) {}
