// The browser's voice clips: OpenAL buffers and sources, which Emscripten plays through Web Audio.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "shell/state/manifest.h"
#include "web/asset_files.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <array>

// One source per clip. Starting a clip that is playing starts it again from
// the beginning, as on the desktop. A browser lets a page's sound start only
// once the player has clicked or pressed a key on it, and making the sound's
// context costs time a phone would feel while the page loads: so the sound
// is opened in the player's first press, with the clips loaded before it.
class ClipVoice {
public:
    ClipVoice() = default;
    ~ClipVoice();
    ClipVoice(const ClipVoice&) = delete;
    ClipVoice& operator=(const ClipVoice&) = delete;

    void load(Clip clip, DecodedClip samples);  // kept until the sound opens
    // Opens the audio device and gives it every clip loaded; without one the
    // game is silent. Called once, in the player's first click or key press.
    void open();
    void play(Clip clip);
    // A hidden page's sound stands still and goes on where it was.
    void suspend();
    void resume();
    // The gain of every clip, percent / 100: 0 is silent, yet clips still start.
    void setVolume(int percent);
    // The listener's gain as OpenAL has it, in percent (before the sound
    // opens, the gain it will have); -1 when silent.
    double gainPercent() const;
    bool silent() const { return opened_ && context_ == nullptr; }

private:
    bool opened_ = false;
    int volume_ = 100;
    std::array<DecodedClip, ClipCount> waiting_;  // until the sound opens
    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    std::array<ALuint, ClipCount> buffers_{};
    std::array<ALuint, ClipCount> sources_{};
};
