// Holding the fetched files and decoding them with stb_image and stb_vorbis.
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

#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>

const char* assetName(std::size_t index) {
    if (index < ClipCount) return clipFiles[index].file;
    if (index < AssetFileCount) return pictureFiles[index - ClipCount].file;
    return nullptr;
}

std::uint8_t* AssetFiles::slot(std::size_t index, std::size_t size) {
    if (index >= AssetFileCount) return nullptr;
    bytes_[index].assign(size, 0);
    fetched_[index] = true;
    state_[index] = State::Waiting;
    return bytes_[index].data();
}

bool AssetFiles::decode(std::size_t index) {
    if (!fetched(index)) return false;
    if (state_[index] == State::Waiting) {
        const bool clip = index < ClipCount;
        const bool ok = clip ? decodeClip(bytes_[index], clips_[index])
                             : decodePicture(bytes_[index], pictures_[index - ClipCount]);
        state_[index] = ok ? State::Decoded : State::Undecodable;
        std::vector<std::uint8_t>().swap(bytes_[index]);
    }
    return state_[index] == State::Decoded;
}

std::uint8_t* AssetFiles::pixels(std::size_t index, int width, int height) {
    if (index < ClipCount || index >= AssetFileCount || width <= 0 || height <= 0) return nullptr;
    DecodedPicture& picture = pictures_[index - ClipCount];
    picture.width = width;
    picture.height = height;
    picture.rgba.assign(std::size_t{4} * static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    std::vector<std::uint8_t>().swap(bytes_[index]);
    fetched_[index] = true;
    state_[index] = State::Decoded;
    return picture.rgba.data();
}

DecodedPicture AssetFiles::takePicture(Picture picture) { return std::move(pictures_[static_cast<std::size_t>(picture)]); }

DecodedClip AssetFiles::takeClip(Clip clip) { return std::move(clips_[static_cast<std::size_t>(clip)]); }

bool decodePicture(const std::vector<std::uint8_t>& file, DecodedPicture& out) {
    if (file.empty() || file.size() > INT_MAX) return false;
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width, &height,
                                            &channels, STBI_rgb_alpha);
    if (pixels == nullptr) return false;
    out.width = width;
    out.height = height;
    out.rgba.assign(pixels, pixels + std::size_t{4} * static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    stbi_image_free(pixels);
    return width > 0 && height > 0;
}

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
