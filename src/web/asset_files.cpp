// Holding the fetched files, and decoding the pictures the browser did not with stb_image.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/asset_files.h"

#include <climits>
#include <cstdlib>
#include <utility>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#include <stb_image.h>

const char* assetName(std::size_t index) {
    if (index < ClipCount) return clipFiles[index].file;
    if (index < AssetFileCount) return pictureFiles[index - ClipCount].file;
    return nullptr;
}

std::uint8_t* AssetFiles::slot(std::size_t index, std::size_t size) {
    if (index >= AssetFileCount) return nullptr;
    bytes_[index].resize(size);
    fetched_[index] = true;
    state_[index] = State::Waiting;
    return bytes_[index].data();
}

bool AssetFiles::decode(std::size_t index) {
    if (!fetched(index)) return false;
    if (state_[index] == State::Waiting) {
        const bool ok = index >= ClipCount &&
                        decodePicture(bytes_[index].data(), bytes_[index].size(), pictures_[index - ClipCount]);
        state_[index] = ok ? State::Decoded : State::Undecodable;
        Buffer<std::uint8_t>().swap(bytes_[index]);
    }
    return state_[index] == State::Decoded;
}

std::uint8_t* AssetFiles::pixels(std::size_t index, int width, int height) {
    if (index < ClipCount || index >= AssetFileCount || width <= 0 || height <= 0) return nullptr;
    DecodedPicture& picture = pictures_[index - ClipCount];
    picture.width = width;
    picture.height = height;
    picture.rgba.resize(std::size_t{4} * static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    Buffer<std::uint8_t>().swap(bytes_[index]);
    fetched_[index] = true;
    state_[index] = State::Decoded;
    return picture.rgba.data();
}

std::int16_t* AssetFiles::samples(std::size_t index, int channels, int rate, int count) {
    if (index >= ClipCount || channels <= 0 || rate <= 0 || count <= 0) return nullptr;
    DecodedClip& clip = clips_[index];
    clip.channels = channels;
    clip.sampleRate = rate;
    clip.samples.resize(static_cast<std::size_t>(count));
    Buffer<std::uint8_t>().swap(bytes_[index]);
    fetched_[index] = true;
    state_[index] = State::Decoded;
    return clip.samples.data();
}

DecodedClip AssetFiles::takeClip(Clip clip) { return std::move(clips_[static_cast<std::size_t>(clip)]); }

bool decodePicture(const std::uint8_t* file, std::size_t size, DecodedPicture& out) {
    if (size == 0 || size > INT_MAX) return false;
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(file, static_cast<int>(size), &width, &height,
                                            &channels, STBI_rgb_alpha);
    if (pixels == nullptr) return false;
    out.width = width;
    out.height = height;
    out.rgba.assign(pixels, pixels + std::size_t{4} * static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    stbi_image_free(pixels);
    return width > 0 && height > 0;
}
