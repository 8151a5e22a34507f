// Reads the caption table and decides, frame by frame, which caption pictures show and where.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/captions.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

bool clipNamed(const std::string& file, Clip& clip) {
    for (const ClipFile& c : clipFiles)
        if (file == c.file) {
            clip = c.clip;
            return true;
        }
    return false;
}

// A picture is opened inside the captions folder, never beside or above it.
bool barePngName(const std::string& name) {
    const std::string png = ".png";
    return name.size() > png.size() && name.compare(name.size() - png.size(), png.size(), png) == 0 &&
           name.find('/') == std::string::npos && name[0] != '.';
}

std::string why(int line, const std::string& text) { return "line " + std::to_string(line) + ": " + text; }

}  // namespace

bool parseCaptions(std::istream& in, std::vector<Caption>& table, std::string& error) {
    table.clear();
    std::size_t nextClip = 0;  // clips come in their load order
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (text.empty() || text[0] == '#') continue;
        std::istringstream row(text);
        std::string file, extra;
        Caption c;
        if (!(row >> file >> c.from >> c.until >> c.picture) || (row >> extra)) {
            error = why(line, "expected CLIPFILE FROM UNTIL PICTURE");
            return false;
        }
        if (!clipNamed(file, c.clip)) {
            error = why(line, "no clip is called " + file);
            return false;
        }
        if (!barePngName(c.picture)) {
            error = why(line, c.picture + " is not a .png file name");
            return false;
        }
        if (!(std::isfinite(c.from) && std::isfinite(c.until) && c.from < c.until)) {
            error = why(line, "a caption must end after it begins");
            return false;
        }
        const std::size_t i = static_cast<std::size_t>(c.clip);
        const bool sameClip = !table.empty() && table.back().clip == c.clip;
        if (sameClip ? c.from != table.back().until : (i != nextClip || c.from != 0.f)) {
            error = why(line, sameClip ? "a caption must begin where the one before it ends"
                                       : file + " is out of order, or its first caption does not begin at 0");
            return false;
        }
        if (!sameClip) ++nextClip;
        table.push_back(c);
    }
    if (nextClip != ClipCount) {
        error = std::string("no captions for ") + clipFiles[nextClip].file;
        return false;
    }
    return true;
}

bool fitsCaptionBand(Vec2 size, Vec2 screen) { return size.x <= screen.x && size.y <= screen.y / 3.f; }

Captions::Captions(std::vector<Caption> table, std::vector<Vec2> sizes, Vec2 screen)
    : table_(std::move(table)), sizes_(std::move(sizes)), screen_(screen) {
    sizes_.resize(table_.size());
    for (std::size_t r = table_.size(); r-- > 0;) {
        const std::size_t i = static_cast<std::size_t>(table_[r].clip);
        firstRow_[i] = r;
        rows_[i] += 1;
    }
    order_.reserve(ClipCount);
    showing_.reserve(ClipCount);
}

void Captions::started(Clip clip, double now) {
    const std::size_t i = static_cast<std::size_t>(clip);
    if (rows_[i] == 0) return;
    Running& r = running_[i];
    const double length = static_cast<double>(table_[firstRow_[i] + rows_[i] - 1].until);
    if (!(r.on && now - r.latest < length)) {  // not still on screen from an earlier start
        r.on = true;
        r.first = now;
        order_.erase(std::remove(order_.begin(), order_.end(), i), order_.end());
        order_.push_back(i);
    }
    r.latest = now;
}

const std::vector<CaptionSprite>& Captions::showing(double now) {
    showing_.clear();
    float bottom = screen_.y;
    for (std::size_t k = order_.size(); k-- > 0;) {  // the newest clip at the bottom
        const std::size_t i = order_[k];
        Running& r = running_[i];
        const std::size_t last = firstRow_[i] + rows_[i] - 1;
        if (now - r.latest >= static_cast<double>(table_[last].until)) {
            r.on = false;
            continue;
        }
        std::size_t row = firstRow_[i];
        while (row < last && now - r.first >= static_cast<double>(table_[row].until)) ++row;
        const Vec2 size = sizes_[row];
        bottom -= size.y;
        showing_.push_back({row, Vec2((screen_.x - size.x) / 2.f, bottom)});
    }
    order_.erase(std::remove_if(order_.begin(), order_.end(), [&](std::size_t i) { return !running_[i].on; }),
                 order_.end());
    std::reverse(showing_.begin(), showing_.end());
    return showing_;
}
