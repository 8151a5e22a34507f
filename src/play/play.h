// The play field's per-frame steps: flight, obstacle waves, hits and lives.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

struct Game;

// Flight: moves playerBox by the held arrows, pushed back at the window's
// edges, and puts playerSprite on it.
void stepPlayer(Game& g);

// Lays out all seven obstacle waves far right of the window (draws rand()).
void buildWaves(Game& g);

// Scrolls wave `phase` 5 px left and tests its blocks' corners against the player.
void stepWave(Game& g);

// Starts the two-second blink; the life is taken when it ends.
void startHit(Game& g);

// Removes at most one surplus icon from each life row.
void trimLifeIcons(Game& g);

// The defeated flier turns over and rises.
void stepDefeat(Game& g);

// The blink schedule of a running hit, and the lost life at its end.
void stepHit(Game& g);
