// Plays the narration through SFML, or checks the clips and stays silent when there is no audio device.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/clip_player.h"

#include "sfml/asset_file.h"

#include <AL/alc.h>
#include <SFML/System/Err.hpp>

#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <ostream>
#include <string>

namespace {
std::size_t indexOf(Clip c) { return static_cast<std::size_t>(c); }

bool tryDevice() {
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device == nullptr) return false;
    alcCloseDevice(device);
    return true;
}

// The last non-empty line of `text`.
std::string lastLine(const std::string& text) {
    const std::size_t end = text.find_last_not_of("\r\n");
    if (end == std::string::npos) return {};
    const std::size_t newline = text.find_last_of('\n', end);
    const std::size_t start = newline == std::string::npos ? 0 : newline + 1;
    return text.substr(start, end + 1 - start);
}

// Opens and closes the default audio device once. Without a sound card the
// audio libraries explain the failure at length on stderr (ALSA alone writes
// eight lines), so their output is held back meanwhile: on success it is
// passed on unchanged, on failure `reason` gets its last line.
bool audioDeviceOpens(std::string& reason) {
    std::FILE* held = std::tmpfile();
    const int saved = held ? dup(STDERR_FILENO) : -1;
    if (saved < 0) {
        if (held) std::fclose(held);
        return tryDevice();
    }
    std::fflush(stderr);
    dup2(fileno(held), STDERR_FILENO);
    const bool opened = tryDevice();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);

    std::string said;
    std::rewind(held);
    char chunk[512];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, held)) > 0;) said.append(chunk, n);
    std::fclose(held);
    if (opened)
        std::fwrite(said.data(), 1, said.size(), stderr);
    else
        reason = lastLine(said);
    return opened;
}

}  // namespace

ClipPlayer::ClipPlayer() {
    std::string reason;
    silent_ = !audioDeviceOpens(reason);
    if (!silent_) return;
    sf::err() << "No audio device could be opened; the game plays without sound" << std::endl;
    if (!reason.empty()) sf::err() << "  (the audio library said: " << reason << ")" << std::endl;
}

ClipPlayer::~ClipPlayer() {
    for (std::size_t i = ClipCount; i-- > 0;) narrationClips[i].reset();
    for (std::size_t i = ClipCount; i-- > 0;) clipBuffers[i].reset();
}

bool ClipPlayer::load(Clip clip) {
    if (!openableAsset(fileOf(clip))) return false;
    if (silent_) return clipDecodes(fileOf(clip));
    auto buffer = std::make_unique<sf::SoundBuffer>();
    if (!buffer->loadFromFile(fileOf(clip))) return false;
    clipBuffers[indexOf(clip)] = std::move(buffer);
    return true;
}

void ClipPlayer::build() {
    if (silent_) return;
    for (std::size_t i = 0; i < ClipCount; ++i) narrationClips[i] = std::make_unique<sf::Sound>(*clipBuffers[i]);
}

void ClipPlayer::play(Clip clip) {
    if (!silent_) narrationClips[indexOf(clip)]->play();
}
