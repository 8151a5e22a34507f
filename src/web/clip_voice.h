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
// the beginning, as on the desktop. The browser keeps the sound suspended
// until the player first clicks or presses a key on the page.
class ClipVoice {
public:
    ClipVoice();  // opens the audio device; without one the game is silent
    ~ClipVoice();
    ClipVoice(const ClipVoice&) = delete;
    ClipVoice& operator=(const ClipVoice&) = delete;

    void load(Clip clip, const DecodedClip& samples);
    void play(Clip clip);
    // A hidden page's sound stands still and goes on where it was.
    void suspend();
    void resume();
    // The gain of every clip, percent / 100: 0 is silent, yet clips still start.
    void setVolume(int percent);
    // The listener's gain as OpenAL has it, in percent; -1 when silent.
    double gainPercent() const;
    bool silent() const { return context_ == nullptr; }

private:
    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    std::array<ALuint, ClipCount> buffers_{};
    std::array<ALuint, ClipCount> sources_{};
};
