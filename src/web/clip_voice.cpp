// Voice clips through Web Audio: the decoded samples as audio buffers, each start a new buffer source.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/clip_voice.h"

#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <utility>

namespace {

// The page's sound, as Module.voice: its context, the gain every clip goes
// through, each clip's buffer and the source that last played it.
EM_JS(int, voiceOpen, (), {
    try {
        const context = new (window.AudioContext || window.webkitAudioContext)();  // Safari 14.0: prefixed
        const gain = context.createGain();
        gain.connect(context.destination);
        Module.voice = { context, gain, buffers: [], playing: [] };
        return 1;
    } catch (e) {
        return 0;
    }
});
// 16-bit samples, interleaved, as floats from -1 to 1 (each / 32768).
EM_JS(void, voiceLoad, (int clip, const std::int16_t* samples, int count, int channels, int rate), {
    const frames = count / channels;
    const buffer = Module.voice.context.createBuffer(channels, frames, rate);
    for (let c = 0; c < channels; ++c) {
        const data = buffer.getChannelData(c);
        for (let i = 0, at = (samples >> 1) + c; i < frames; ++i, at += channels) data[i] = HEAP16[at] / 32768;
    }
    Module.voice.buffers[clip] = buffer;
});
EM_JS(void, voicePlay, (int clip), {
    const v = Module.voice;
    if (!v.buffers[clip]) return;
    if (v.playing[clip]) v.playing[clip].stop();
    const source = v.context.createBufferSource();
    source.buffer = v.buffers[clip];
    source.connect(v.gain);
    source.start();
    v.playing[clip] = source;
});
EM_JS(void, voiceWake, (), {
    const state = Module.voice.context.state;
    if (state === 'suspended' || state === 'interrupted') Module.voice.context.resume().catch(() => {});
});
EM_JS(int, voiceRunning, (), { return Module.voice.context.state === 'running' ? 1 : 0; });
EM_JS(void, voiceSuspend, (), { Module.voice.context.suspend().catch(() => {}); });
EM_JS(void, voiceResume, (), { Module.voice.context.resume().catch(() => {}); });
EM_JS(void, voiceGain, (double gain), { Module.voice.gain.gain.value = gain; });
EM_JS(double, voiceGainNow, (), { return Module.voice.gain.gain.value; });

}  // namespace

void ClipVoice::load(Clip clip, DecodedClip samples) { waiting_[static_cast<std::size_t>(clip)] = std::move(samples); }

void ClipVoice::open() {
    if (opened_) return;
    opened_ = true;
    sounds_ = voiceOpen() != 0;
    if (!sounds_) return;
    for (std::size_t i = 0; i < ClipCount; ++i) {
        const DecodedClip samples = std::move(waiting_[i]);
        if (samples.channels < 1 || samples.samples.empty()) continue;
        voiceLoad(static_cast<int>(i), samples.samples.data(), static_cast<int>(samples.samples.size()),
                  samples.channels, samples.sampleRate);
    }
    setVolume(volume_);
}

void ClipVoice::play(Clip clip) {
    if (sounds_) voicePlay(static_cast<int>(clip));
}

void ClipVoice::wake() {
    if (sounds_) voiceWake();
}

bool ClipVoice::running() const { return sounds_ && voiceRunning() != 0; }

void ClipVoice::suspend() {
    if (sounds_) voiceSuspend();
}

void ClipVoice::resume() {
    if (sounds_) voiceResume();
}

void ClipVoice::setVolume(int percent) {
    volume_ = percent;
    if (sounds_) voiceGain(static_cast<double>(static_cast<float>(percent) / 100.0f));
}

double ClipVoice::gainPercent() const {
    if (silent()) return -1.0;
    return sounds_ ? voiceGainNow() * 100.0 : volume_;
}
