// Loads the caption table and pictures for an SFML host and queues the ones showing onto its canvas.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/caption_layer.h"

#include "sfml/asset_file.h"
#include "shell/state/game.h"

#include <SFML/System/Err.hpp>

#include <fstream>
#include <ostream>
#include <string>

bool CaptionLayer::load(Canvas& canvas) {
    if (!openableAsset(TableFile)) return false;
    std::ifstream file(TableFile);
    std::vector<Caption> table;
    std::string error = "cannot be read";
    if (!file || !parseCaptions(file, table, error)) {
        sf::err() << "Failed to load \"" << TableFile << "\" (" << error << ")" << std::endl;
        return false;
    }
    std::vector<Vec2> sizes;
    for (const Caption& c : table) {
        if (!canvas.loadOverlay(Folder + c.picture)) return false;  // named by the loader
        const Vec2 size = canvas.overlaySize(sizes.size());
        if (size.x > static_cast<float>(ScreenWidth) || size.y > static_cast<float>(ScreenHeight) / 3.f) {
            sf::err() << "Failed to load \"" << Folder << c.picture << "\" (" << size.x << "x" << size.y
                      << ", larger than a caption band)" << std::endl;
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
