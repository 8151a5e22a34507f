// The voice clips decoded from Ogg Vorbis to 16-bit samples: the page's own decoder, which runs in a worker as voice.wasm.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "web/buffer.h"

#include <cstdint>
#include <vector>

struct DecodedClip {
    int channels = 0;
    int sampleRate = 0;
    Buffer<std::int16_t> samples;  // interleaved
};

// A whole Ogg Vorbis file; false when it does not decode or holds no sound.
bool decodeClip(const std::vector<std::uint8_t>& file, DecodedClip& out);
