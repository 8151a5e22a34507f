// Game: the one owner of every scene object, clock, flag and counter for the whole run.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/quad.h"
#include "shell/state/clock.h"
#include "shell/state/platform.h"
#include "shell/state/sprite.h"

#include <vector>

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;

// Plain state, built once by buildScene. Every initial value below is the
// value the first frame sees.
struct Game {
    explicit Game(Platform& platform)
        : io(platform), phaseClock(platform), enterClock(platform), storyClock(platform),
          hitClock(platform) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Platform& io;
    Event event{};

    // The clocks, oldest first; hitClock is started again during scene building.
    Clock phaseClock;
    Clock enterClock;
    Clock storyClock;
    Clock hitClock;

    // Scene, in build order.
    Sprite winSprite;
    Sprite loseSprite;
    std::vector<Sprite> playerLifeIcons;
    std::vector<Sprite> vexmorLifeIcons;
    Sprite curtainSprite;
    Sprite flashSprite;
    Sprite enterPrompt;
    Quad playerBox;
    std::vector<Sprite> arrowSprites;
    Sprite playerSprite;
    Sprite sinkSprite;
    Quad blockPrototype;
    std::vector<std::vector<Quad>> waveShapes;
    std::vector<std::vector<Sprite>> waveSprites;
    Sprite vexmorSprite;
    Quad vexmorBox;
    Sprite backdropSprite;
    Sprite cloudPrototype;
    Sprite lightningSprite;
    Quad lightningZone;
    std::vector<std::vector<Sprite>> cloudGroups;
    std::vector<std::vector<bool>> cloudLayers;

    // Held keys, written only by the event poll.
    bool leftHeld = false;
    bool rightHeld = false;
    bool upHeld = false;
    bool downHeld = false;
    bool enterHeld = false;

    // Lives and hits.
    int playerLives = 10;
    int vexmorLives = 5;
    bool hitActive = false;
    bool playerShown = true;

    // Story.
    int phase = 0;  // 0 start gate, 1..7 flight, -1 duel, -2 win
    bool countdownRunning = false;
    bool storyStarted = false;     // the start gate has restarted storyClock: the narration runs
    float lastStoryReading = 0.f;  // the narration's storyClock reading on the frame before
    bool showStartPrompt = true;
    bool backdropScrolling = false;
    int cloudGroup = 0;  // 0 none, n: group n-1 is in use
    int worldStyle = 1;  // 1 ordinary, 2 candy
    bool vexmorPresent = false;
    bool flashOn = false;
    int flashFrames = 0;
    bool forestShown = false;
    bool sinkLaunched = false;
    bool lightningShown = false;
    bool lightningArmed = false;
    bool finalClipPlayed = false;
    bool showWinScreen = false;
    int endScreenAlpha = 0;
};
