// Records the autopilot's winning and losing play-throughs as input files.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage: record_inputs DIR    writes DIR/win.keys and DIR/lose.keys
#include "autopilot.h"
#include "harness.h"

#include <fstream>
#include <iostream>

namespace {

// Seeds with a layout the autopilot has been watched to win and lose on.
constexpr unsigned WinSeed = 7;
constexpr unsigned LoseSeed = 7;
constexpr int TailFrames = 300;  // the end screen fully faded in, and a little more
constexpr int FrameLimit = 60 * 330;

InputScript record(Autopilot::Goal goal, unsigned seed) {
    Harness h(seed);
    h.start();
    const Game& g = h.game();
    Autopilot pilot(goal);
    InputScript script;
    script.seed = seed;
    std::array<KeyChange, 8> changes{};
    int endAt = FrameLimit;
    while (h.frameCount() < endAt) {
        h.frame();
        const bool over = goal == Autopilot::Goal::Win ? g.showWinScreen : g.playerLives < 0;
        if (over && endAt == FrameLimit) endAt = h.frameCount() + TailFrames;
        const std::size_t n = pilot.steer(g, changes);
        for (std::size_t i = 0; i < n && h.frameCount() < endAt; ++i) {  // none polled after the end
            h.queue(Harness::key(changes[i].type, changes[i].key));
            script.events.push_back({h.frameCount() + 1, changes[i].type, changes[i].key});
        }
    }
    script.end = h.frameCount();
    std::cerr << (goal == Autopilot::Goal::Win ? "win" : "lose") << ": " << script.end << " frames, lives "
              << g.playerLives << ", Vexmor's lives " << g.vexmorLives << ", phase " << g.phase << '\n';
    return script;
}

bool save(const std::string& path, const char* title, const InputScript& script) {
    std::ofstream out(path);
    out << "# " << title << " (made by record_inputs; the format is described in src/host/input_script.h)\n";
    return writeInputScript(out, script);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: record_inputs DIR\n";
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok =
        save(dir + "/win.keys", "Kestra dodges every wave and wins the duel with five strikes",
             record(Autopilot::Goal::Win, WinSeed)) &&
        save(dir + "/lose.keys", "Kestra flies into the blocks until her eleventh life is lost",
             record(Autopilot::Goal::Lose, LoseSeed));
    return ok ? 0 : 1;
}
