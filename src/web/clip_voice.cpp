// Voice clips through Emscripten's OpenAL: buffers from the decoded samples, one source each.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/clip_voice.h"

#include <cstddef>
#include <utility>

// Emscripten's OpenAL suspends and resumes the whole device's Web Audio context.
extern "C" void emscripten_alcDevicePauseSOFT(ALCdevice* device);
extern "C" void emscripten_alcDeviceResumeSOFT(ALCdevice* device);

ClipVoice::~ClipVoice() {
    if (context_ != nullptr) {
        alDeleteSources(static_cast<ALsizei>(ClipCount), sources_.data());
        alDeleteBuffers(static_cast<ALsizei>(ClipCount), buffers_.data());
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context_);
    }
    if (device_ != nullptr) alcCloseDevice(device_);
}

void ClipVoice::load(Clip clip, DecodedClip samples) { waiting_[static_cast<std::size_t>(clip)] = std::move(samples); }

void ClipVoice::open() {
    if (opened_) return;
    opened_ = true;
    device_ = alcOpenDevice(nullptr);
    if (device_ != nullptr) context_ = alcCreateContext(device_, nullptr);
    if (context_ == nullptr) return;
    alcMakeContextCurrent(context_);
    alGenBuffers(static_cast<ALsizei>(ClipCount), buffers_.data());
    alGenSources(static_cast<ALsizei>(ClipCount), sources_.data());
    for (std::size_t i = 0; i < ClipCount; ++i) {
        DecodedClip samples = std::move(waiting_[i]);
        if (samples.channels < 1 || samples.channels > 2) continue;  // the game's clips are mono
        const ALenum format = samples.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
        alBufferData(buffers_[i], format, samples.samples.data(),
                     static_cast<ALsizei>(samples.samples.size() * sizeof(samples.samples[0])), samples.sampleRate);
        alSourcei(sources_[i], AL_BUFFER, static_cast<ALint>(buffers_[i]));
    }
    setVolume(volume_);
}

void ClipVoice::play(Clip clip) {
    if (context_ != nullptr) alSourcePlay(sources_[static_cast<std::size_t>(clip)]);
}

void ClipVoice::suspend() {
    if (context_ != nullptr) emscripten_alcDevicePauseSOFT(device_);
}

void ClipVoice::resume() {
    if (context_ != nullptr) emscripten_alcDeviceResumeSOFT(device_);
}

void ClipVoice::setVolume(int percent) {
    volume_ = percent;
    if (context_ != nullptr) alListenerf(AL_GAIN, static_cast<float>(percent) / 100.0f);
}

double ClipVoice::gainPercent() const {
    if (silent()) return -1.0;
    if (context_ == nullptr) return volume_;
    ALfloat gain = 0.0f;
    alGetListenerf(AL_GAIN, &gain);
    return static_cast<double>(gain) * 100.0;
}
