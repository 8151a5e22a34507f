// The narration timeline: thirteen clips started by time on the story clock.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "story/story.h"

#include "shell/state/game.h"

namespace {
struct TimelineEntry {
    float at;  // seconds on the story clock
    Clip clip;
};

constexpr TimelineEntry narrationTimeline[] = {
    {0, Clip::ABeautiful},         // the countdown begins
    {22, Clip::ItIsMuch},          // just before Vexmor's visit
    {28, Clip::HeTurnsThe},        // the sky turns to candy
    {35, Clip::SwarmsOfHis},       // wave 2
    {55, Clip::FollowedByHordes},  // wave 3
    {85, Clip::RainbowWonders},    // wave 4
    {92, Clip::WithAFlash},        // the forest comes a second later
    {101, Clip::SheSeesA},         // wave 5
    {107, Clip::SheWillTake},
    {150, Clip::SwarmsOfVexmors},  // wave 6
    {218, Clip::ItSeemsVexmorHas}, // after the kitchen sink
    {225, Clip::FinallyCatchingUp},// the chase
    {235, Clip::NotEntirelyCertain}, // the lightning cloud
};
}  // namespace

void narrate(Game& g) {
    // Nothing is told over the start screen: the story begins with the first
    // arrow press, when the start gate restarts the story clock.
    if (!g.storyStarted) return;
    const float reading = g.storyClock.seconds();
    const float before = g.lastStoryReading;
    g.lastStoryReading = reading;
    // No memory of what has played: every frame whose reading falls inside
    // an entry's window starts that clip again. A window that passed wholly
    // between the last frame's reading and this one (a stalled frame) starts
    // its clip once now, late rather than never.
    for (const TimelineEntry& entry : narrationTimeline) {
        const double windowEnd = static_cast<double>(entry.at) + NarrationWindow;
        const bool inside = reading > entry.at && static_cast<double>(reading) < windowEnd;
        const bool jumpedOver = !(before > entry.at) && !(static_cast<double>(reading) < windowEnd);
        if (inside || jumpedOver) g.io.play(entry.clip);
    }
}
