// The game's spine as a host sees it: build the scene once, then run frames.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "shell/state/game.h"

// Loads every asset and builds the scene in start-up order. False when a
// load failed; nothing after the failed file was attempted.
bool buildScene(Game& g);

// One frame of the game, every step in order.
void runFrame(Game& g);

// Frames until the window is closed.
void runGame(Game& g);
