// Kestra's flight: 3 px sideways and 5 px up or down per frame, pushed back at the edges.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "play/play.h"

#include "geometry/geometry.h"
#include "shell/state/game.h"

namespace {
constexpr float StepX = 3.f;
constexpr float StepY = 5.f;
constexpr int RightReach = 40;   // the box may poke 5 px past the right edge
constexpr int BottomReach = 45;
}  // namespace

void stepPlayer(Game& g) {
    float dx = 0.f;
    float dy = 0.f;
    if (g.leftHeld) dx -= StepX;
    if (g.rightHeld) dx += StepX;
    if (g.downHeld) dy += StepY;
    if (g.upHeld) dy -= StepY;

    // At an edge the push-back replaces the wish: no clamping, so the box
    // overshoots by up to one step and creeps back a pixel per frame.
    const Vec2 corner = g.playerBox.corner(0);
    const int xi = truncateToInt(corner.x);  // defined however far the flier has drifted
    const int yi = truncateToInt(corner.y);
    if (xi < 0) dx = 1.f;
    if (xi > ScreenWidth - RightReach) dx = -1.f;  // no sum that could overflow
    if (yi > ScreenHeight - BottomReach) dy = -1.f;
    if (yi < 0) dy = 1.f;

    g.playerBox.position.x += dx;
    g.playerBox.position.y += dy;
    g.playerSprite.position = g.playerBox.position;
}
