// The seven obstacle waves: their layout tables, the build at start and the per-frame scroll and contact test.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "play/play.h"

#include "geometry/geometry.h"
#include "shell/state/game.h"

#include <array>
#include <cstddef>

namespace {

enum class Formation {
    Nothing,
    SingleRandom,  // one block at a random height
    SingleFixed,   // one block at the prototype's height
    OpeningPair,   // base - 30m, base + 30m
    ClosingPair,   // base + 30(m - n), base + 30(n - m)
    Triple,        // base, base + s, base - s
};

// The pictures of a run of slots: slot i shows cycle[i % length].
struct Pictures {
    std::array<Picture, 5> cycle{};
    std::size_t length = 1;
    Picture at(int slot) const { return cycle[static_cast<std::size_t>(slot) % length]; }
};

constexpr Pictures only(Picture p) { return Pictures{{p, p, p, p, p}, 1}; }
constexpr Pictures alternating(Picture even, Picture odd) {
    return Pictures{{even, odd, even, odd, even}, 2};
}
// Wave 7 cycles through five pictures, whatever the formation.
constexpr Pictures wave7Cycle{
    {Picture::Column, Picture::Enemy, Picture::NewColumn, Picture::Nightdart, Picture::Kestra}, 5};

// Slots first..last share one formation. `n` is a pair's period or a
// triple's spread; `step` is the x step of singles (x = x0 + step * i).
struct SlotRun {
    int first;
    int last;
    Formation formation;
    int n;
    int base;
    int step;
    Pictures pictures;
};

struct WaveTable {
    int slots;
    std::array<SlotRun, 11> runs;
    std::size_t runCount;
};

using F = Formation;
using P = Picture;

constexpr int U = ScreenWidth / 10;  // 80
constexpr int WaveStartX = 15 * U;   // 1200: 400 px beyond the right edge
constexpr int GroupStep = 2 * U;     // pairs and triples: x = x0 + 160 i
constexpr int PairSpacing = 30;
constexpr int RandomHigh = ScreenHeight - 40;

constexpr std::array<WaveTable, 7> waveTables{{
    // Wave 1: the training course.
    {9, {{{0, 8, F::SingleFixed, 0, 0, 5 * U, only(P::TrainingColumn)}}}, 1},
    // Wave 2: night darts at random heights, a tight cluster in the middle.
    {25,
     {{{0, 9, F::SingleRandom, 0, 0, 400, only(P::NightdartBest)},
       {10, 14, F::SingleRandom, 0, 0, 160, only(P::NightdartBest)},
       {15, 19, F::SingleRandom, 0, 0, 80, only(P::NightdartBest)},
       {20, 24, F::SingleRandom, 0, 0, 400, only(P::NightdartBest)}}},
     4},
    // Wave 3: griffins opening in pairs around shifting centres.
    {25,
     {{{0, 3, F::OpeningPair, 4, 300, 0, only(P::BestGriffin)},
       {4, 7, F::OpeningPair, 4, 500, 0, only(P::BestGriffin)},
       {8, 11, F::OpeningPair, 4, 150, 0, only(P::BestGriffin)},
       {12, 15, F::OpeningPair, 4, 450, 0, only(P::BestGriffin)},
       {16, 19, F::OpeningPair, 4, 100, 0, only(P::BestGriffin)},
       {20, 23, F::OpeningPair, 4, 250, 0, only(P::BestGriffin)},
       {24, 24, F::OpeningPair, 4, 550, 0, only(P::BestGriffin)}}},
     7},
    // Wave 4.
    {25,
     {{{0, 5, F::OpeningPair, 6, 350, 0, only(P::NightdartBest)},
       {6, 9, F::SingleRandom, 0, 0, 400, only(P::BestGriffin)},
       {10, 11, F::SingleRandom, 0, 0, 160, only(P::BestGriffin)},
       {12, 14, F::SingleRandom, 0, 0, 160, only(P::NightdartBest)},
       {15, 17, F::SingleRandom, 0, 0, 160, only(P::BestGriffin)},
       {18, 20, F::OpeningPair, 3, 500, 0, only(P::NightdartBest)},
       {21, 24, F::OpeningPair, 4, 100, 0, only(P::BestGriffin)}}},
     7},
    // Wave 5.
    {70,
     {{{0, 9, F::Triple, 120, 300, 0, only(P::NightdartBest)},
       {10, 19, F::Nothing, 0, 0, 0, only(P::NightdartBest)},
       {20, 24, F::OpeningPair, 5, 100, 0, only(P::NightdartBest)},
       {25, 29, F::Triple, 120, 500, 0, only(P::NightdartBest)},
       {30, 49, F::SingleRandom, 0, 0, 80, only(P::TrainingColumn)},
       {50, 59, F::OpeningPair, 10, 200, 0, only(P::BestGriffin)},
       {60, 69, F::OpeningPair, 10, 400, 0, only(P::BestGriffin)}}},
     7},
    // Wave 6.
    {60,
     {{{0, 9, F::OpeningPair, 10, 150, 0, alternating(P::NightdartBest, P::BestGriffin)},
       {10, 14, F::SingleRandom, 0, 0, 400, only(P::BestGriffin)},
       {15, 19, F::ClosingPair, 5, 300, 0, only(P::BestGriffin)},
       {20, 29, F::Triple, 50, 100, 0, only(P::NightdartBest)},
       {30, 32, F::Triple, 110, 500, 0, only(P::TrainingColumn)},
       {33, 35, F::Triple, 110, 400, 0, only(P::TrainingColumn)},
       {36, 38, F::Triple, 110, 300, 0, only(P::TrainingColumn)},
       {39, 41, F::Triple, 110, 0, 0, only(P::TrainingColumn)},
       {42, 44, F::Triple, 110, 100, 0, only(P::TrainingColumn)},
       {45, 47, F::Triple, 110, 300, 0, only(P::TrainingColumn)},
       {48, 59, F::SingleRandom, 0, 0, 400, only(P::NightdartBest)}}},
     11},
    // Wave 7: the final rush.
    {60,
     {{{0, 9, F::OpeningPair, 10, 150, 0, wave7Cycle},
       {10, 19, F::Triple, 100, 450, 0, wave7Cycle},
       {20, 29, F::SingleRandom, 0, 0, 80, wave7Cycle},
       {30, 49, F::OpeningPair, 20, 100, 0, wave7Cycle},
       {50, 59, F::SingleRandom, 0, 0, 20, wave7Cycle}}},
     5},
}};

const SlotRun* runFor(const WaveTable& wave, int slot) {
    for (std::size_t r = 0; r < wave.runCount; ++r)
        if (slot >= wave.runs[r].first && slot <= wave.runs[r].last) return &wave.runs[r];
    return nullptr;
}

struct WaveBuilder {
    const Quad& prototype;
    std::vector<Quad>& shapes;
    std::vector<Sprite>& sprites;

    void add(Picture picture, int x, float y) {
        Quad block = prototype;
        block.position.y = y;
        block.position.x = static_cast<float>(x) + prototype.points[0].x;
        shapes.push_back(block);
        // Placed on its block from the start, so the frame a wave comes on
        // draws it out beyond the right edge.
        Sprite sprite(picture);
        sprite.position = block.position;
        sprites.push_back(sprite);
    }

    void slot(const SlotRun& run, int i) {
        const Picture picture = run.pictures.at(i);
        const int groupX = WaveStartX + GroupStep * i;
        const int m = run.n > 0 ? i % run.n : 0;
        switch (run.formation) {
        case F::Nothing:
            break;
        case F::SingleRandom: {
            const int y = randomRange(RandomHigh, 0);
            add(picture, WaveStartX + run.step * i, static_cast<float>(y));
            break;
        }
        case F::SingleFixed:
            add(picture, WaveStartX + run.step * i, prototype.position.y);
            break;
        case F::OpeningPair:
            add(picture, groupX, static_cast<float>(run.base - PairSpacing * m));
            add(picture, groupX, static_cast<float>(run.base + PairSpacing * m));
            break;
        case F::ClosingPair:
            add(picture, groupX, static_cast<float>(run.base + PairSpacing * (m - run.n)));
            add(picture, groupX, static_cast<float>(run.base + PairSpacing * (run.n - m)));
            break;
        case F::Triple:
            add(picture, groupX, static_cast<float>(run.base));
            add(picture, groupX, static_cast<float>(run.base + run.n));
            add(picture, groupX, static_cast<float>(run.base - run.n));
            break;
        }
    }
};

}  // namespace

void buildWaves(Game& g) {
    // Waves in turn, slots in increasing order, blocks in formation order:
    // this order fixes which random draw lands on which block.
    g.waveShapes.assign(waveTables.size(), {});
    g.waveSprites.assign(waveTables.size(), {});
    for (std::size_t w = 0; w < waveTables.size(); ++w) {
        const WaveTable& wave = waveTables[w];
        WaveBuilder builder{g.blockPrototype, g.waveShapes[w], g.waveSprites[w]};
        for (int i = 0; i < wave.slots; ++i)
            if (const SlotRun* run = runFor(wave, i)) builder.slot(*run, i);
    }
}

void stepWave(Game& g) {
    std::vector<Quad>& blocks = g.waveShapes[static_cast<std::size_t>(g.phase - 1)];
    std::vector<Sprite>& pictures = g.waveSprites[static_cast<std::size_t>(g.phase - 1)];
    for (std::size_t j = 0; j < blocks.size(); ++j) {
        Quad& block = blocks[j];
        block.position.x -= 5.f;
        pictures[j].position = block.position;
        if (g.hitActive) continue;  // blocks pass through a blinking flier
        // Only the block's corners are tested, each against the player's box.
        for (std::size_t c = 0; c < 4; ++c) {
            const Vec2 corner = block.corner(c);
            if (isInsideQuad(g.playerBox, corner.x, corner.y)) startHit(g);
        }
    }
}
