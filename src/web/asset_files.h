// The 47 files as the page fetched them, held in memory in manifest order, and their decoding.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "shell/state/manifest.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Every file the game opens, clips first, then pictures: the order they are
// loaded in, and the order the page fetches them in.
constexpr std::size_t AssetFileCount = ClipCount + PictureCount;

constexpr std::size_t assetIndex(Clip clip) { return static_cast<std::size_t>(clip); }
constexpr std::size_t assetIndex(Picture picture) { return ClipCount + static_cast<std::size_t>(picture); }
const char* assetName(std::size_t index);  // nullptr past the last

// The page puts each fetched file's bytes in its slot; a slot never filled
// is a file that could not be fetched.
class AssetFiles {
public:
    // Room for `size` bytes of file `index`, which counts as fetched from now
    // on; nullptr for an index past the last.
    std::uint8_t* slot(std::size_t index, std::size_t size);
    bool fetched(std::size_t index) const { return index < AssetFileCount && fetched_[index]; }
    const std::vector<std::uint8_t>& bytes(std::size_t index) const { return bytes_[index]; }
    // Lets go of a file's bytes once decoded.
    void release(std::size_t index);

private:
    std::array<std::vector<std::uint8_t>, AssetFileCount> bytes_;
    std::array<bool, AssetFileCount> fetched_{};
};

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // row by row from the top, 4 bytes a pixel
};

struct DecodedClip {
    int channels = 0;
    int sampleRate = 0;
    std::vector<std::int16_t> samples;  // interleaved
};

// A PNG or JPEG file, decoded as the desktop decodes it; false when it is not one.
bool decodePicture(const std::vector<std::uint8_t>& file, DecodedPicture& out);
// A whole Ogg Vorbis file; false when it does not decode or holds no sound.
bool decodeClip(const std::vector<std::uint8_t>& file, DecodedClip& out);
