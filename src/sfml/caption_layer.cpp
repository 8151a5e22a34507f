// Loads the caption table and pictures for an SFML host and queues the ones showing onto its canvas.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/caption_layer.h"

#include "host/caption_files.h"
#include "sfml/asset_file.h"

#include <string>
#include <vector>

bool CaptionLayer::load(Canvas& canvas) {
    CaptionFiles files;
    std::vector<char> bytes;
    if (!readAsset(canvas.folder() + files.path(CaptionFiles::TableFile), bytes)) return false;
    const bool loaded =
        files.readTable(std::string(bytes.begin(), bytes.end())) &&
        files.getPictures([&canvas](std::size_t caption, const std::string& name, Vec2& size) {
            if (!canvas.loadOverlay(CaptionFiles::Folder + name)) return CaptionFiles::Got::Broken;  // and named
            size = canvas.overlaySize(caption);
            return CaptionFiles::Got::Loaded;
        });
    if (!loaded) {
        const CaptionFiles::Failure& failed = files.failure();
        if (!failed.why.empty()) reportFailedLoad(canvas.folder() + files.path(failed.file), failed.why);
        return false;
    }
    captions_.emplace(files.captions());
    return true;
}

void CaptionLayer::lay(Canvas& canvas, double now) {
    if (!captions_) return;
    for (const CaptionSprite& s : captions_->showing(now)) canvas.drawOverlay(s.caption, s.position);
}
