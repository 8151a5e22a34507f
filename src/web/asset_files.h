// The 47 files as the page fetched them, held in memory in manifest order, and their decoding.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "shell/state/manifest.h"
#include "web/buffer.h"
#include "web/voice_decoder.h"

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
    Buffer<std::uint8_t> rgba;  // row by row from the top, 4 bytes a pixel
};

// A PNG or JPEG file, decoded as the desktop decodes it; false when it is not one.
bool decodePicture(const std::uint8_t* file, std::size_t size, DecodedPicture& out);
inline bool decodePicture(const std::vector<std::uint8_t>& file, DecodedPicture& out) {
    return decodePicture(file.data(), file.size(), out);
}

// The page puts each fetched file in its slot as it comes, one file a task:
// a picture or clip its worker decoded as pixels or samples, anything else
// (the JPEG, or a file the worker could not decode) as bytes for `decode`. A
// slot never filled is a file that could not be fetched.
class AssetFiles {
public:
    // Room for `size` bytes of file `index`, which counts as fetched from now
    // on; nullptr for an index past the last.
    std::uint8_t* slot(std::size_t index, std::size_t size);
    bool fetched(std::size_t index) const { return index < AssetFileCount && fetched_[index]; }
    // Decodes picture `index` from its bytes, which it then lets go: false when
    // it was not fetched or does not decode, and for a clip's bytes (the
    // page's worker decodes clips: bytes here are a clip it could not). Asked
    // again, it answers as the first time.
    bool decode(std::size_t index);
    // Room for a picture the browser decoded itself, `width` by `height`
    // pixels of RGBA, which counts as fetched and decoded from now on;
    // nullptr for no picture or no size.
    std::uint8_t* pixels(std::size_t index, int width, int height);
    // Room for a clip the page's worker decoded, `count` samples of
    // `channels` interleaved at `rate` a second, which counts as fetched and
    // decoded from now on; nullptr for no clip or no sound.
    std::int16_t* samples(std::size_t index, int channels, int rate, int count);
    // What `decode` made of a picture (the canvas takes its pixels from
    // here), or of a clip, taken once.
    DecodedPicture& picture(Picture picture) { return pictures_[static_cast<std::size_t>(picture)]; }
    DecodedClip takeClip(Clip clip);

private:
    enum class State : std::uint8_t { Waiting, Decoded, Undecodable };
    std::array<Buffer<std::uint8_t>, AssetFileCount> bytes_;
    std::array<bool, AssetFileCount> fetched_{};
    std::array<State, AssetFileCount> state_{};
    std::array<DecodedPicture, PictureCount> pictures_;
    std::array<DecodedClip, ClipCount> clips_;
};
