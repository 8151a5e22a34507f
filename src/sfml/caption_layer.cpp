// Loads the caption table and pictures for an SFML host and queues the ones showing onto its canvas.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/caption_layer.h"

#include "sfml/asset_file.h"
#include "shell/state/game.h"


#include <sstream>
#include <vector>
#include <string>

bool CaptionLayer::load(Canvas& canvas) {
    const std::string tablePath = canvas.folder() + TableFile;
    std::vector<char> bytes;
    if (!readAsset(tablePath, bytes)) return false;
    std::istringstream text(std::string(bytes.begin(), bytes.end()));
    std::vector<Caption> table;
    std::string error;
    if (!parseCaptions(text, table, error)) {
        reportFailedLoad(tablePath, error);
        return false;
    }
    std::vector<Vec2> sizes;
    for (const Caption& c : table) {
        if (!canvas.loadOverlay(Folder + c.picture)) return false;  // named by the loader
        const Vec2 size = canvas.overlaySize(sizes.size());
        if (!fitsCaptionBand(size, Vec2(static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight)))) {
            reportFailedLoad(canvas.folder() + Folder + c.picture, std::to_string(static_cast<int>(size.x)) + "x" +
                                                                    std::to_string(static_cast<int>(size.y)) +
                                                                    ", larger than a caption band");
            return false;
        }
        sizes.push_back(size);
    }
    captions_.emplace(std::move(table), std::move(sizes),
                      Vec2(static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight)));
    return true;
}

void CaptionLayer::lay(Canvas& canvas, double now) {
    if (!captions_) return;
    for (const CaptionSprite& s : captions_->showing(now)) canvas.drawOverlay(s.caption, s.position);
}
