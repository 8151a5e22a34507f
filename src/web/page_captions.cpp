// Reading and decoding the page's caption files, and following the clips for the captions.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/page_captions.h"

#include "shell/state/game.h"

#include <sstream>

bool PageCaptions::readTable(const std::string& text) {
    tableFetched_ = true;
    problem_.clear();
    std::istringstream in(text);
    const bool read = parseCaptions(in, table_, problem_);
    if (!read) table_.clear();
    bytes_.assign(table_.size(), {});
    fetched_.assign(table_.size(), false);
    return read;
}

const char* PageCaptions::pictureName(std::size_t caption) const {
    return caption < table_.size() ? table_[caption].picture.c_str() : nullptr;
}

std::uint8_t* PageCaptions::slot(std::size_t caption, std::size_t size) {
    if (caption >= table_.size()) return nullptr;
    bytes_[caption].assign(size, 0);
    fetched_[caption] = true;
    return bytes_[caption].data();
}

bool PageCaptions::fail(std::size_t file, bool fetched) {
    failedFile_ = file;
    failedFetched_ = fetched;
    return false;
}

bool PageCaptions::decode(std::vector<DecodedPicture>& pictures) {
    pictures.clear();
    if (table_.empty()) return fail(TableFile, tableFetched_);
    for (std::size_t i = 0; i < table_.size(); ++i) {
        const std::size_t file = TableFile + 1 + i;
        if (!fetched_[i]) return fail(file, false);
        DecodedPicture picture;
        if (!decodePicture(bytes_[i], picture) ||
            !fitsCaptionBand(Vec2(static_cast<float>(picture.width), static_cast<float>(picture.height)),
                             Vec2(static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight))))
            return fail(file, true);
        std::vector<std::uint8_t>().swap(bytes_[i]);
        pictures.push_back(std::move(picture));
    }
    return true;
}

void PageCaptions::begin(const std::vector<Vec2>& pictureSizes) {
    captions_.emplace(table_, pictureSizes, Vec2(static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight)));
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
