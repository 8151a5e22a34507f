// Benchmarks of the real drawing path: recorded frames painted into an SFML window, with and without the hidden draws.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
//
// usage (needs a display): xvfb-run -a -s "-screen 0 1280x1024x24" build/test/bench/draw_bench
// Reports process CPU time per frame, the GL driver's threads included.
#include "harness.h"
#include "sfml/canvas.h"

#include <SFML/Graphics/RenderWindow.hpp>
#include <benchmark/benchmark.h>

#include <memory>
#include <unistd.h>

namespace {

struct Scene {
    const char* name;
    int frame;  // of the winning recording
};

// Moments of tests/inputs/win.keys.
constexpr Scene scenes[] = {
    {"StartScreen", 1},
    {"Wave6Busy", 9252},
    {"Flash", 1695},
    {"WinScreen", 15100},
};

// One window and the pictures, shared by every benchmark.
struct Stage {
    sf::RenderWindow window{sf::VideoMode(ScreenWidth, ScreenHeight, 32), "Tumblewing Game",
                            sf::Style::Resize | sf::Style::Close, sf::ContextSettings(24, 8, 0)};
    Canvas canvas;
    bool ready = true;
    Stage() {
        window.setVerticalSyncEnabled(false);
        if (chdir(TUMBLEWING_ASSETS_DIR) != 0) ready = false;
        for (std::size_t p = 0; p < PictureCount; ++p)
            ready = ready && canvas.loadPicture(static_cast<Picture>(p));
    }
};

Stage& stage() {
    static Stage s;
    return s;
}

// The draws of one frame of the winning recording, as the core made them.
FrameRecord recordedFrame(int frame) {
    InputScript script;
    std::string error;
    loadRecording("win.keys", script, error);
    Harness h(script.seed);
    h.start();
    h.schedule(script);
    h.frames(frame);
    return h.last();
}

void paintFrame(benchmark::State& state, int frame, bool cull) {
    Stage& s = stage();
    if (!s.ready) {
        state.SkipWithError("no window or pictures");
        return;
    }
    const FrameRecord record = recordedFrame(frame);
    s.canvas.setCulling(cull);
    for (auto _ : state) {
        for (const Color& c : record.clears) s.canvas.clear(c);
        for (const DrawCall& d : record.draws) {
            Sprite sprite(d.picture);
            sprite.position = d.position;
            sprite.color = d.color;
            s.canvas.draw(sprite);
        }
        s.canvas.paint(s.window);
        s.window.display();
    }
    state.counters["painted"] = static_cast<double>(s.canvas.painted());
    state.counters["draws"] = static_cast<double>(record.draws.size());
}

// The floor: a clear and a display, nothing drawn.
void EmptyFrame(benchmark::State& state) {
    Stage& s = stage();
    for (auto _ : state) {
        s.window.clear(sf::Color::Black);
        s.window.display();
    }
}

void registerAll() {
    benchmark::RegisterBenchmark("EmptyFrame", EmptyFrame)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
    for (const Scene& scene : scenes)
        for (const bool cull : {false, true}) {
            const std::string name = std::string(scene.name) + (cull ? "/culled" : "/everything");
            benchmark::RegisterBenchmark(name.c_str(), paintFrame, scene.frame, cull)
                ->MeasureProcessCPUTime()
                ->Unit(benchmark::kMillisecond);
        }
}

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
