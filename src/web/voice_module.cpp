// voice.wasm: the clip decoder as a WebAssembly module of its own, which asks nothing of its host (decoder.js runs it).
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/voice_decoder.h"

#include <emscripten/emscripten.h>

#include <cstddef>

namespace {
std::vector<std::uint8_t> file;  // the clip's bytes, until decoded
DecodedClip clip;                // the last clip decoded
}  // namespace

extern "C" {

// Room for a clip's `size` bytes, which the worker copies in.
EMSCRIPTEN_KEEPALIVE std::uint8_t* voice_room(int size) {
    if (size < 0) return nullptr;
    file.resize(static_cast<std::size_t>(size));
    return file.data();
}

// Decodes the clip in the room, which it then lets go: how many samples it
// holds, all channels together; 0 when it does not decode.
EMSCRIPTEN_KEEPALIVE int voice_decode() {
    clip = DecodedClip{};
    const bool decoded = decodeClip(file, clip);
    std::vector<std::uint8_t>().swap(file);
    return decoded ? static_cast<int>(clip.samples.size()) : 0;
}

EMSCRIPTEN_KEEPALIVE const std::int16_t* voice_samples() { return clip.samples.data(); }
EMSCRIPTEN_KEEPALIVE int voice_channels() { return clip.channels; }
EMSCRIPTEN_KEEPALIVE int voice_rate() { return clip.sampleRate; }

}  // extern "C"
