// The voice clips of the SFML host: sound buffers and sounds, or silence when no audio device opens.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "shell/state/manifest.h"

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include <array>
#include <memory>
#include <string>

class ClipPlayer {
public:
    // Tries the audio device once. Without one the game is silent: it says
    // so on sf::err(), with the sound system's last word on why, and never
    // touches OpenAL again, which would report every buffer, sound and play
    // call as an error.
    ClipPlayer();
    // Never touches the audio device: clips are only checked, never played.
    struct Mute {};
    explicit ClipPlayer(Mute) {}
    ~ClipPlayer();  // sounds first, then their buffers, newest first
    ClipPlayer(const ClipPlayer&) = delete;
    ClipPlayer& operator=(const ClipPlayer&) = delete;

    // The folder the clips' files are in, "" for the working directory.
    void setFolder(const std::string& folder) { folder_ = folder; }

    // Reads and decodes the clip's whole file; false when it is not a
    // regular file or does not decode (the failure named on sf::err()). With
    // sound the samples go into a buffer; a silent game only checks them,
    // so a bad file fails start-up either way.
    bool load(Clip clip);
    void build();  // one sound per buffer, after every clip is loaded
    void play(Clip clip);  // a silent game plays nothing
    // The gain of every clip, percent / 100: 0 is silent, yet clips still start.
    void setVolume(int percent);

    bool silent() const { return silent_; }

private:
    bool silent_ = true;
    std::string folder_;
    std::array<std::unique_ptr<sf::SoundBuffer>, ClipCount> clipBuffers;
    std::array<std::unique_ptr<sf::Sound>, ClipCount> narrationClips;
};
