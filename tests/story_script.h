// A scripted play-through of the whole story, shared by the story tests and the asset checks.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "harness.h"

#include <functional>

// Where the story stood, frame by frame.
struct StoryMoments {
    int gateFrame = 0;  // the frame in which the first arrow press opened the gate
    std::map<std::string, double> at;  // first story-clock reading of each moment
};

// Opens the start gate, flies the whole story with the player parked in the
// top-left corner, lands five lightning strikes in the duel and runs on
// until the win screen. `eachFrame` sees every frame.
StoryMoments playThroughStory(Harness& h, const std::function<void(Harness&)>& eachFrame = {});
