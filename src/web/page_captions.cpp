// Holding the page's fetched caption files until decoded, and following the clips for the captions.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/page_captions.h"

bool PageCaptions::readTable(const std::string& text) {
    const bool read = files_.readTable(text);
    bytes_.assign(pictureCount(), {});
    fetched_.assign(pictureCount(), false);
    return read;
}

const char* PageCaptions::pictureName(std::size_t caption) const {
    return caption < pictureCount() ? files_.table()[caption].picture.c_str() : nullptr;
}

std::uint8_t* PageCaptions::slot(std::size_t caption, std::size_t size) {
    if (caption >= bytes_.size()) return nullptr;  // past the table, or its pictures already decoded
    bytes_[caption].assign(size, 0);
    fetched_[caption] = true;
    return bytes_[caption].data();
}

bool PageCaptions::decode(std::vector<DecodedPicture>& pictures) {
    pictures.clear();
    const bool got = files_.getPictures([&](std::size_t caption, const std::string&, Vec2& size) {
        if (!fetched_[caption]) return CaptionFiles::Got::Missing;
        DecodedPicture picture;
        if (!decodePicture(bytes_[caption], picture)) return CaptionFiles::Got::Broken;
        std::vector<std::uint8_t>().swap(bytes_[caption]);
        size = Vec2(static_cast<float>(picture.width), static_cast<float>(picture.height));
        pictures.push_back(std::move(picture));
        return CaptionFiles::Got::Loaded;
    });
    if (!got) {
        pictures.clear();
        files_.forget();
    }
    bytes_.clear();
    fetched_.clear();
    return got;
}

void PageCaptions::begin() {
    captions_.emplace(files_.captions());
    for (const auto& [clip, at] : kept_) captions_->started(clip, at);
    kept_.clear();
}

void PageCaptions::started(Clip clip, double now) {
    if (captions_) {
        captions_->started(clip, now);
        return;
    }
    if (kept_.size() == MostKeptStarts) kept_.pop_front();  // long over by now
    kept_.emplace_back(clip, now);
}

const std::vector<CaptionSprite>& PageCaptions::showing(double now) {
    return captions_ && shown_ ? captions_->showing(now) : none_;
}
