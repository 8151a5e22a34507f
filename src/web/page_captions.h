// The page's captions: their table and pictures as the page fetched them, and which show over each frame.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "host/caption_files.h"
#include "web/asset_files.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The page fetches the caption files only when captions are first turned on:
// the table, then one picture for each caption, in the caption files' load
// order after the game's. Clip starts from before then are kept, so captions
// turned on in the middle of a line show that line at once.
class PageCaptions {
public:
    static constexpr std::size_t TableFile = CaptionFiles::TableFile;
    static_assert(TableFile == AssetFileCount, "the caption files follow the game's");
    static constexpr std::size_t MostKeptStarts = 256;  // a whole story starts about 35 clips

    // The table's text as fetched; false when it does not read (`problem` says why).
    bool readTable(const std::string& text);
    const std::string& problem() const { return files_.failure().why; }
    std::size_t pictureCount() const { return files_.table().size(); }
    const char* pictureName(std::size_t caption) const;  // nullptr past the last
    // Room for a caption picture's bytes, which count as fetched from now on.
    std::uint8_t* slot(std::size_t caption, std::size_t size);

    // Decodes every caption's picture in order; false at the first file that
    // ends loading: the table unread, a picture not fetched, not decoding or
    // too big for a caption band. `failedFile` is its place in load order.
    // Either way the fetched bytes are let go; after a failure the table is
    // too, so nothing stale is decoded again.
    bool decode(std::vector<DecodedPicture>& pictures);
    std::size_t failedFile() const { return files_.failure().file; }
    bool failedFileFetched() const { return files_.failure().fetched; }

    // From now on the captions follow the clips, the kept starts first.
    void begin();
    bool begun() const { return captions_.has_value(); }
    void show(bool on) { shown_ = on; }

    void started(Clip clip, double now);
    // What to lay over the frame drawn at `now`: nothing while not shown.
    const std::vector<CaptionSprite>& showing(double now);

private:
    CaptionFiles files_;
    std::vector<std::vector<std::uint8_t>> bytes_;
    std::vector<bool> fetched_;
    std::optional<Captions> captions_;
    std::deque<std::pair<Clip, double>> kept_;
    bool shown_ = false;
    const std::vector<CaptionSprite> none_;
};
