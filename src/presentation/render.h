// The drawing pass: the scene's layering, one table row per layer.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

struct Game;

constexpr int CurtainFadeStep = 5;   // alpha taken off the start curtain per frame
constexpr int CurtainMinAlpha = 10;  // at or below this the curtain is gone

// Clears, draws every visible layer in order, and presents the frame.
void renderFrame(Game& g);
