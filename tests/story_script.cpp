// A scripted play-through of the whole story: the gate, seven waves, the duel's five strikes, the win.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "story_script.h"

namespace {
void note(StoryMoments& m, const std::string& name, bool happened, const Game& g) {
    if (happened && !m.at.count(name)) m.at[name] = g.storyClock.seconds();
}
}  // namespace

StoryMoments playThroughStory(Harness& h, const std::function<void(Harness&)>& eachFrame) {
    StoryMoments m;
    Game& g = h.game();
    auto step = [&] {
        h.frame();
        note(m, "phase 1", g.phase == 1, g);
        note(m, "visit", g.vexmorPresent && g.phase == 1, g);
        note(m, "candy", g.worldStyle == 2, g);
        for (int p = 2; p <= 7; ++p) note(m, "phase " + std::to_string(p), g.phase == p, g);
        note(m, "forest", g.forestShown, g);
        note(m, "duel", g.phase == -1, g);
        note(m, "sink", g.sinkLaunched, g);
        note(m, "chase", g.phase == -1 && g.vexmorPresent, g);
        note(m, "lightning", g.lightningShown, g);
        note(m, "win", g.phase == -2, g);
        note(m, "win screen", g.showWinScreen, g);
        if (eachFrame) eachFrame(h);
    };

    h.frame();
    h.press(Key::Up);  // held for one frame's story step
    step();
    h.release(Key::Up);
    step();
    m.gateFrame = h.frameCount();

    const int limit = 60 * 300;
    while (!g.lightningShown && h.frameCount() < limit) step();

    // The duel: touch the cloud, tap Return, wait for the strike; five times.
    while (g.phase == -1 && h.frameCount() < limit) {
        g.playerBox.position = g.lightningZone.position + Vec2(60, 30);
        step();
        if (!g.lightningArmed) continue;
        g.playerBox.position = Vec2(0, 0);  // away from the cloud and out of Vexmor's reach
        h.press(Key::Return);
        step();
        h.release(Key::Return);
        const int lives = g.vexmorLives;
        while (g.vexmorLives == lives && h.frameCount() < limit) step();
    }
    while (!g.showWinScreen && h.frameCount() < limit) step();
    for (int i = 0; i < 120; ++i) step();
    return m;
}
