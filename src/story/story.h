// The scripted story's per-frame steps: narration, phases, the duel and the cloud field.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

struct Game;

// Width of every narration entry's start window, in seconds.
constexpr double NarrationWindow = 0.05;

// Starts the narration clips whose moment has come.
void narrate(Game& g);

// The slow drift of the backdrop during the flight phases.
void scrollBackdrop(Game& g);

// The duel's contact tests, lightning zone and chase.
void stepDuel(Game& g);

// The cloud field: built once at start (draws rand()), drifting from phase 1 on.
void buildCloudField(Game& g);
void driftClouds(Game& g);
void candyClouds(Game& g);

// The full-window flash animation.
void stepFlash(Game& g);

// The phase machine: the start gate, then the current phase's handler.
void stepPhase(Game& g);

// The duel's pieces that the phase machine calls.
void launchSink(Game& g);
void centreLightning(Game& g);
void stepStrike(Game& g);
