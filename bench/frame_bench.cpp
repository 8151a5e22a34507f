// Benchmarks of the per-frame work: corner tests, the largest wave's step, the drawing pass, a whole frame.
#include "geometry/geometry.h"
#include "play/play.h"
#include "presentation/render.h"
#include "shell/game.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// A host that does nothing: time stands still, draws and sounds vanish.
class NullPlatform final : public Platform {
public:
    double now() const override { return time; }
    bool windowOpen() const override { return true; }
    bool pollEvent(sf::Event&) override { return false; }
    void closeWindow() override {}
    bool loadClipBuffer(Clip) override { return true; }
    void buildClips() override {}
    bool loadPicture(Picture) override { return true; }
    void play(Clip) override {}
    void clear(sf::Color) override {}
    void draw(const Sprite& s) override { benchmark::DoNotOptimize(&s); ++draws; }
    void display() override {}
    double time = 0.0;
    long draws = 0;
};

struct Scene {
    NullPlatform io;
    Game g{io};
    Scene() {
        std::srand(1);
        buildScene(g);
        // Mid-flight in the busiest wave: 131 blocks, the clouds out.
        g.phase = 6;
        g.cloudGroup = 1;
        g.showStartPrompt = false;
        g.curtainSprite.setAlpha(CurtainMinAlpha);
    }
};

void IsInsideQuad(benchmark::State& state) {
    Quad box = Quad::box(45, 45);
    box.position = sf::Vector2f(80, 300);
    float x = 60;
    for (auto _ : state) {
        benchmark::DoNotOptimize(isInsideQuad(box, x, 320));
        x = x > 140 ? 60 : x + 0.5f;
    }
}
BENCHMARK(IsInsideQuad);

// 131 blocks moved and 524 corner tests, as in every frame of wave 6.
void StepLargestWave(benchmark::State& state) {
    Scene s;
    for (auto _ : state) {
        for (Quad& b : s.g.waveShapes[5]) b.position.x = 2000;  // keep the course far from the player
        stepWave(s.g);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(s.g.waveShapes[5].size()));
}
BENCHMARK(StepLargestWave);

void RenderFrame(benchmark::State& state) {
    Scene s;
    for (auto _ : state) renderFrame(s.g);
    state.counters["draws/frame"] =
        benchmark::Counter(static_cast<double>(s.io.draws), benchmark::Counter::kAvgIterations);
}
BENCHMARK(RenderFrame);

void WholeFrame(benchmark::State& state) {
    Scene s;
    for (auto _ : state) {
        s.io.time += 1.0 / 60.0;
        runFrame(s.g);
        if (s.g.waveShapes[5].front().position.x < -30000) {
            for (Quad& b : s.g.waveShapes[5]) b.position.x += 30000;
        }
    }
}
BENCHMARK(WholeFrame);

}  // namespace
