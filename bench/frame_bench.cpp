// Benchmarks of the core's per-frame work in wave 6, the busiest scene: corner tests, the wave step, the drawing pass, a whole frame.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "geometry/geometry.h"
#include "play/play.h"
#include "presentation/render.h"
#include "shell/loop.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// A host that does nothing: time stands still, draws and sounds vanish.
class NullPlatform final : public Platform {
public:
    double now() const override { return time; }
    bool windowOpen() const override { return true; }
    bool pollEvent(Event&) override { return false; }
    void closeWindow() override {}
    bool loadClipBuffer(Clip) override { return true; }
    void buildClips() override {}
    bool loadPicture(Picture) override { return true; }
    void play(Clip) override {}
    void clear(Color) override {}
    void draw(const Sprite& s) override { benchmark::DoNotOptimize(&s); ++draws; }
    void display() override {}
    double time = 0.0;
    long draws = 0;
};

// Ten seconds into phase 6, the busiest wave (131 blocks), with the clouds
// out. Time stands still, so the story never moves on from this scene.
struct Scene {
    NullPlatform io;
    Game g{io};
    Scene() {
        std::srand(1);
        buildScene(g);
        io.time = 1000.0;
        g.phaseClock.restart();
        io.time += 10.0;
        g.phase = 6;
        g.cloudGroup = 1;
        g.showStartPrompt = false;
        g.curtainSprite.setAlpha(CurtainMinAlpha);
    }
    // Keeps the course flying past and the flier out of its way, so every
    // frame runs all 524 corner tests and none starts a hit.
    void rewind() {
        if (g.waveShapes[5].front().position.x < -30000)
            for (Quad& b : g.waveShapes[5]) b.position.x += 30000;
        g.playerBox.position = Vec2(80.f, -1000.f);
    }
};

void IsInsideQuad(benchmark::State& state) {
    Quad box = Quad::box(45, 45);
    box.position = Vec2(80, 300);
    float x = 60;
    for (auto _ : state) {
        benchmark::DoNotOptimize(isInsideQuad(box, x, 320));
        x = x > 140 ? 60 : x + 0.5f;
    }
}
BENCHMARK(IsInsideQuad);

// 131 blocks moved and 524 corner tests, as in every frame of wave 6.
void Wave6Step(benchmark::State& state) {
    Scene s;
    for (auto _ : state) {
        for (Quad& b : s.g.waveShapes[5]) b.position.x = 2000;  // keep the course far from the player
        stepWave(s.g);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(s.g.waveShapes[5].size()));
}
BENCHMARK(Wave6Step);

void Wave6DrawPass(benchmark::State& state) {
    Scene s;
    for (auto _ : state) renderFrame(s.g);
    state.counters["draws/frame"] =
        benchmark::Counter(static_cast<double>(s.io.draws), benchmark::Counter::kAvgIterations);
}
BENCHMARK(Wave6DrawPass);

void Wave6WholeFrame(benchmark::State& state) {
    Scene s;
    for (auto _ : state) {
        s.rewind();
        runFrame(s.g);
    }
    if (s.g.phase != 6 || s.g.hitActive) state.SkipWithError("the scene moved on from wave 6");
}
BENCHMARK(Wave6WholeFrame);

}  // namespace
