// Plays the narration through SFML, or checks the clips and stays silent when there is no audio device.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/clip_player.h"

#include "sfml/asset_file.h"

#include <AL/alc.h>
#include <SFML/Audio/Listener.hpp>
#include <SFML/System/Err.hpp>

#include <dlfcn.h>

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <ostream>
#include <string>

namespace {
std::size_t indexOf(Clip c) { return static_cast<std::size_t>(c); }

// ALSA, under OpenAL, writes its complaints itself, eight lines of them on a
// machine without a sound card, unless given a handler of its own. While the
// device is probed the handler keeps only the last one, as the reason.
using AlsaHandler = void (*)(const char* file, int line, const char* function, int error, const char* format, ...);
using SetAlsaHandler = int (*)(AlsaHandler);
std::string alsaSaid;

void keepAlsaMessage(const char*, int, const char*, int, const char* format, ...) {
    char text[256];
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    alsaSaid = text;
}

// ALSA's handler for as long as it lives, if ALSA is there at all; no
// other output is touched, and OpenAL's own log lines pass as they are.
class AlsaMessagesKept {
public:
    AlsaMessagesKept() : library_(dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL)) {
        if (library_ != nullptr) set_ = reinterpret_cast<SetAlsaHandler>(dlsym(library_, "snd_lib_error_set_handler"));
        if (set_ != nullptr) set_(keepAlsaMessage);
    }
    ~AlsaMessagesKept() {
        if (set_ != nullptr) set_(nullptr);  // ALSA's own again
        if (library_ != nullptr) dlclose(library_);
    }
    AlsaMessagesKept(const AlsaMessagesKept&) = delete;
    AlsaMessagesKept& operator=(const AlsaMessagesKept&) = delete;

private:
    void* library_;
    SetAlsaHandler set_ = nullptr;
};

// Opens and closes the default audio device once; on failure `reason` gets
// ALSA's last word, if it had one.
bool audioDeviceOpens(std::string& reason) {
    alsaSaid.clear();
    AlsaMessagesKept kept;
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device == nullptr) {
        reason = alsaSaid;
        return false;
    }
    alcCloseDevice(device);
    return true;
}

}  // namespace

ClipPlayer::ClipPlayer() {
    std::string reason;
    silent_ = !audioDeviceOpens(reason);
    if (!silent_) return;
    sf::err() << "No audio device could be opened; the game plays without sound";
    if (!reason.empty()) sf::err() << " (the sound system said: " << reason << ")";
    sf::err() << std::endl;
}

ClipPlayer::~ClipPlayer() {
    for (std::size_t i = ClipCount; i-- > 0;) narrationClips[i].reset();
    for (std::size_t i = ClipCount; i-- > 0;) clipBuffers[i].reset();
}

bool ClipPlayer::load(Clip clip) {
    const std::string path = folder_ + fileOf(clip);
    ClipSamples decoded;
    if (!decodeClip(path, decoded)) return false;  // a silent game checks its clips all the same
    if (silent_) return true;
    auto buffer = std::make_unique<sf::SoundBuffer>();
    HeldErrors held;
    const bool filled = buffer->loadFromSamples(decoded.samples.data(), decoded.samples.size(), decoded.channels,
                                                decoded.sampleRate);
    const std::string said = held.release();
    if (!filled) {
        reportFailedLoad(path, said.empty() ? "the audio device took none of its samples" : said);
        return false;
    }
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

void ClipPlayer::setVolume(int percent) {
    if (!silent_) sf::Listener::setGlobalVolume(static_cast<float>(percent));  // SFML's listener gain, in percent
}
