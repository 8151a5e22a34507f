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

// The page puts each fetched file's bytes in its slot and has it decoded
// there and then, one file at a time as they come, so that no single call
// decodes them all; a slot never filled is a file that could not be fetched.
class AssetFiles {
public:
    // Room for `size` bytes of file `index`, which counts as fetched from now
    // on; nullptr for an index past the last.
    std::uint8_t* slot(std::size_t index, std::size_t size);
    bool fetched(std::size_t index) const { return index < AssetFileCount && fetched_[index]; }
    // Decodes file `index` from its bytes, which it then lets go: false when
    // it was not fetched or does not decode. Asked again, it answers as the
    // first time.
    bool decode(std::size_t index);
    // Room for a picture the browser decoded itself, `width` by `height`
    // pixels of RGBA, which counts as fetched and decoded from now on;
    // nullptr for no picture or no size.
    std::uint8_t* pixels(std::size_t index, int width, int height);
    // What `decode` made of a picture or clip that decoded, taken once.
    DecodedPicture takePicture(Picture picture);
    DecodedClip takeClip(Clip clip);

private:
    enum class State : std::uint8_t { Waiting, Decoded, Undecodable };
    std::array<std::vector<std::uint8_t>, AssetFileCount> bytes_;
    std::array<bool, AssetFileCount> fetched_{};
    std::array<State, AssetFileCount> state_{};
    std::array<DecodedPicture, PictureCount> pictures_;
    std::array<DecodedClip, ClipCount> clips_;
};
