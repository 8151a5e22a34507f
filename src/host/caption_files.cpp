// The caption files' load order and checks: the table read, each picture got through the host and measured.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/caption_files.h"

#include "shell/state/game.h"

#include <sstream>
#include <utility>

namespace {
const Vec2 Screen(static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight));

std::string pixels(Vec2 size) {
    return std::to_string(static_cast<int>(size.x)) + "x" + std::to_string(static_cast<int>(size.y));
}
}  // namespace

bool CaptionFiles::fail(std::size_t file, bool fetched, std::string why) {
    failure_ = {file, fetched, std::move(why)};
    return false;
}

bool CaptionFiles::readTable(const std::string& text) {
    std::istringstream in(text);
    std::string error;
    sizes_.clear();
    if (parseCaptions(in, table_, error)) return true;
    table_.clear();
    tableFailure_ = {TableFile, true, error};
    return fail(TableFile, true, error);
}

void CaptionFiles::forget() {
    table_.clear();
    sizes_.clear();
    tableFailure_ = {};
}

std::string CaptionFiles::path(std::size_t file) const {
    if (file == TableFile) return std::string(Folder) + TableName;
    if (file <= TableFile || file - TableFile - 1 >= table_.size()) return "";
    return Folder + table_[file - TableFile - 1].picture;
}

bool CaptionFiles::getPictures(const GetPicture& get) {
    sizes_.clear();
    if (table_.empty()) {  // a table that reads names a caption for every clip
        failure_ = tableFailure_;
        return false;
    }
    for (std::size_t i = 0; i < table_.size(); ++i) {
        const std::size_t file = TableFile + 1 + i;
        Vec2 size;
        switch (get(i, table_[i].picture, size)) {
        case Got::Missing: return fail(file, false, "");
        case Got::Broken: return fail(file, true, "");
        case Got::Loaded: break;
        }
        if (!fitsCaptionBand(size, Screen)) return fail(file, true, pixels(size) + ", larger than a caption band");
        sizes_.push_back(size);
    }
    return true;
}

Captions CaptionFiles::captions() const { return Captions(table_, sizes_, Screen); }
