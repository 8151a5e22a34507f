// The event poll: window close and the five held keys.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

struct Game;

// Drains the window's event queue into the held-key flags.
void pollEvents(Game& g);
