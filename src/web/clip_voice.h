// The browser's voice clips: one Web Audio context, a buffer a clip, and the volume as one gain.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "shell/state/manifest.h"
#include "web/asset_files.h"

#include <array>

// Starting a clip that is playing starts it again from the beginning, as on
// the desktop. A browser lets a page's sound start only once the player has
// clicked or pressed a key on it, and making the sound's context costs time a
// phone would feel while the page loads: so the sound is opened in the
// player's first press, with the clips loaded before it. The page holds one
// voice.
class ClipVoice {
public:
    ClipVoice() = default;
    ClipVoice(const ClipVoice&) = delete;
    ClipVoice& operator=(const ClipVoice&) = delete;

    void load(Clip clip, DecodedClip samples);  // kept until the sound opens
    // Opens the browser's sound and gives it every clip loaded; without it
    // the game is silent. Called once, in the player's first click or key press.
    void open();
    void play(Clip clip);
    // Sound the browser holds back (a first key it counts as no gesture, an
    // iPhone's call) tries to start again: called in a press.
    void wake();
    bool running() const;  // the sound plays: opened, neither held back nor suspended
    // A hidden page's sound stands still and goes on where it was.
    void suspend();
    void resume();
    // The gain of every clip, percent / 100: 0 is silent, yet clips still start.
    void setVolume(int percent);
    // The gain in percent as the sound has it (before it opens, the gain it
    // will have); -1 when silent.
    double gainPercent() const;
    bool silent() const { return opened_ && !sounds_; }

private:
    bool opened_ = false;
    bool sounds_ = false;
    int volume_ = 100;
    std::array<DecodedClip, ClipCount> waiting_;  // until the sound opens
};
