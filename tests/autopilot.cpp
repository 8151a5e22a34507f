// The scripted player: a lane search through the waves and a short look-ahead in the duel.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "autopilot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr float PlayerSize = 45.f;
constexpr float BlockSize = 40.f;
constexpr float VexmorWidth = 30.f;
constexpr float VexmorHeight = 80.f;
constexpr float StepX = 3.f;
constexpr float StepY = 5.f;
constexpr float Margin = 3.f;     // keeps clear of the exact touching distance
constexpr float TopY = 5.f;       // the flier stays off the window's edges,
constexpr float BottomY = 550.f;  // where the push-back would take over
constexpr float LeftX = 5.f;
constexpr float RightX = 750.f;

float clampY(float y) { return std::min(BottomY, std::max(TopY, y)); }
float clampX(float x) { return std::min(RightX, std::max(LeftX, x)); }

bool overlaps(float a, float aSize, float b, float bSize, float margin) {
    return a < b + bSize + margin && b < a + aSize + margin;
}

int heldDx(const Game& g) { return (g.rightHeld ? 1 : 0) - (g.leftHeld ? 1 : 0); }
int heldDy(const Game& g) { return (g.downHeld ? 1 : 0) - (g.upHeld ? 1 : 0); }

// --- the waves: which heights are free in each of the next frames ---

constexpr int Horizon = 48;   // frames looked ahead: 240 px of oncoming blocks
constexpr int Lanes = 112;    // heights 5 px apart
constexpr int MaxBlocksAtOnce = 32;

struct LaneMap {
    float y1 = 0.f;  // the flier's height in the next frame, already decided
    std::array<std::array<bool, Lanes>, Horizon + 1> safe{};
    int lanes = 0;
    int start = 0;  // lane of y1
    float laneY(int k) const { return y1 + StepY * static_cast<float>(k - start); }
};

// Frame t ahead: the flier has moved for t frames, every block 5 px for each.
void mapLanes(const Game& g, LaneMap& m) {
    const auto& blocks = g.waveShapes[static_cast<std::size_t>(g.phase - 1)];
    const Vec2 p = g.playerBox.position;
    m.y1 = clampY(p.y + StepY * static_cast<float>(heldDy(g)));
    m.start = static_cast<int>((m.y1 - TopY) / StepY);
    m.lanes = std::min(Lanes, m.start + static_cast<int>((BottomY - m.y1) / StepY) + 1);

    std::array<std::array<float, MaxBlocksAtOnce>, Horizon + 1> ys;
    std::array<int, Horizon + 1> counts{};
    for (const Quad& b : blocks) {
        for (int t = 1; t <= Horizon; ++t) {
            const float x = b.position.x - 5.f * static_cast<float>(t);
            if (!overlaps(x, BlockSize, p.x, PlayerSize, Margin)) continue;
            if (counts[t] < MaxBlocksAtOnce) ys[t][counts[t]++] = b.position.y;
        }
    }
    auto free = [&](int t, int k) {
        const float y = m.laneY(k);
        for (int i = 0; i < counts[t]; ++i)
            if (overlaps(y, PlayerSize, ys[t][i], BlockSize, Margin)) return false;
        return true;
    };
    // Backwards: a lane is safe at t if it is free then and leads to a safe lane at t + 1.
    for (int k = 0; k < m.lanes; ++k) m.safe[Horizon][k] = free(Horizon, k);
    for (int t = Horizon - 1; t >= 1; --t)
        for (int k = 0; k < m.lanes; ++k) {
            bool next = m.safe[t + 1][k];
            if (k > 0) next = next || m.safe[t + 1][k - 1];
            if (k + 1 < m.lanes) next = next || m.safe[t + 1][k + 1];
            m.safe[t][k] = next && free(t, k);
        }
}

// Up, stay or down for frame 2 onwards: stay on a safe lane, drift home when
// the way there is safe too, and move off a lane that is about to close.
int dodge(const Game& g) {
    static thread_local LaneMap m;
    mapLanes(g, m);
    const float home = 300.f;
    const int towardHome = m.y1 > home + 60.f ? -1 : (m.y1 < home - 60.f ? 1 : 0);
    const int order[3] = {towardHome, 0, towardHome == 0 ? -1 : -towardHome};
    for (int dy : order) {
        const int k = m.start + dy;
        if (k >= 0 && k < m.lanes && m.safe[2][k]) return dy;
    }
    return m.start + 1 < m.lanes && m.safe[2][m.start + 1] ? 1 : 0;
}

// --- the duel: try each of the nine key combinations for a second ahead ---

struct Duel {
    Vec2 player;
    Vec2 vexmor;
};

float gapBetween(const Duel& d) {
    const float gx = std::max(d.vexmor.x - (d.player.x + PlayerSize), d.player.x - (d.vexmor.x + VexmorWidth));
    const float gy = std::max(d.vexmor.y - (d.player.y + PlayerSize), d.player.y - (d.vexmor.y + VexmorHeight));
    return std::max(gx, gy);
}

float chaseStep(float from, float to) { return to > from ? 1.25f : (from > to ? -1.25f : 0.f); }

void advance(Duel& d, int dx, int dy, bool chasing) {
    d.player.x = clampX(d.player.x + StepX * static_cast<float>(dx));
    d.player.y = clampY(d.player.y + StepY * static_cast<float>(dy));
    if (chasing) {
        d.vexmor.x += chaseStep(d.vexmor.x, d.player.x);
        d.vexmor.y += chaseStep(d.vexmor.y, d.player.y);
    }
}

// The best of the nine moves: never into Vexmor, as far from him as the
// target allows, and pulled towards the target as strongly as `pull` says.
void duelMove(const Game& g, Vec2 target, float pull, int& bestDx, int& bestDy) {
    constexpr int Ahead = 60;
    float best = -1e9f;
    bestDx = bestDy = 0;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            Duel d{g.playerBox.position, g.vexmorBox.position};
            advance(d, heldDx(g), heldDy(g), g.vexmorPresent);
            float closest = 1e9f;
            float score = 0.f;
            for (int t = 0; t < Ahead; ++t) {
                advance(d, dx, dy, g.vexmorPresent);
                if (!g.vexmorPresent) continue;
                const float gap = gapBetween(d);
                closest = std::min(closest, gap);
                if (gap < Margin) {
                    score -= 1e6f * static_cast<float>(Ahead - t);
                    break;
                }
            }
            score += std::min(closest, 120.f) * 2.f;
            const Vec2 centre = d.player + Vec2(PlayerSize / 2, PlayerSize / 2);
            score -= pull * std::hypot(centre.x - target.x, centre.y - target.y);
            if (score > best + 0.01f) {
                best = score;
                bestDx = dx;
                bestDy = dy;
            }
        }
}

// The lose course: straight at the nearest block still to come.
int seekBlock(const Game& g) {
    const auto& blocks = g.waveShapes[static_cast<std::size_t>(g.phase - 1)];
    const Vec2 p = g.playerBox.position;
    const Quad* nearest = nullptr;
    for (const Quad& b : blocks)
        if (b.position.x + BlockSize > p.x && (!nearest || b.position.x < nearest->position.x)) nearest = &b;
    if (!nearest) return 0;
    const float dy = nearest->position.y - p.y;
    return dy > StepY ? 1 : (dy < -StepY ? -1 : 0);
}

}  // namespace

Autopilot::Keys Autopilot::decide(const Game& g) const {
    Keys k;
    if (g.phase == 0) {
        k.dy = g.showStartPrompt ? -1 : 0;  // one arrow opens the gate
        return k;
    }
    if (g.playerLives < 0 || g.phase == -2) return k;  // the story is decided
    if (g.phase > 0) {
        k.dy = goal_ == Goal::Win ? dodge(g) : seekBlock(g);
        return k;
    }
    // The duel.
    if (goal_ == Goal::Lose) {
        if (g.vexmorPresent) {
            k.dx = g.vexmorBox.position.x > g.playerBox.position.x ? 1 : -1;
            k.dy = g.vexmorBox.position.y > g.playerBox.position.y ? 1 : -1;
        }
        return k;
    }
    // Off to the cloud while a strike is to be armed; otherwise back to the
    // open sky left of centre, as far from Vexmor as he allows.
    const Vec2 cloud = g.lightningZone.position + Vec2(100.f, 50.f);
    const Vec2 rest(200.f, 300.f);
    const bool goForCloud = g.lightningShown && !g.lightningArmed;
    duelMove(g, goForCloud ? cloud : rest, goForCloud ? 1.f : 0.25f, k.dx, k.dy);
    // Armed: one tap of Return; the strike lands half a second after it.
    k.enter = g.lightningArmed && !g.flashOn && !held_.enter;
    return k;
}

std::size_t Autopilot::steer(const Game& g, std::array<KeyChange, 8>& out) {
    const Keys want = decide(g);
    std::size_t n = 0;
    auto change = [&](bool was, bool now, Key key) {
        if (was != now) out[n++] = {now ? Event::KeyPressed : Event::KeyReleased, key};
    };
    change(held_.dx < 0, want.dx < 0, Key::Left);
    change(held_.dx > 0, want.dx > 0, Key::Right);
    change(held_.dy < 0, want.dy < 0, Key::Up);
    change(held_.dy > 0, want.dy > 0, Key::Down);
    change(held_.enter, want.enter, Key::Return);
    held_ = want;
    return n;
}
