// Decoding a voice clip with stb_vorbis, as the page does in its worker.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/voice_decoder.h"

#include <climits>
#include <cstdlib>

#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>

bool decodeClip(const std::vector<std::uint8_t>& file, DecodedClip& out) {
    if (file.empty() || file.size() > INT_MAX) return false;
    int channels = 0, rate = 0;
    short* samples = nullptr;
    const int frames = stb_vorbis_decode_memory(file.data(), static_cast<int>(file.size()), &channels, &rate, &samples);
    if (frames <= 0 || channels <= 0 || rate <= 0) {
        std::free(samples);
        return false;
    }
    out.channels = channels;
    out.sampleRate = rate;
    out.samples.assign(samples, samples + static_cast<std::size_t>(frames) * static_cast<std::size_t>(channels));
    std::free(samples);
    return true;
}
