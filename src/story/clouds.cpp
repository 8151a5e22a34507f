// The cloud field: twenty clouds in two layers, copied into eight identical groups, drifting left.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "story/story.h"

#include "geometry/geometry.h"
#include "shell/state/game.h"

#include <cstddef>
#include <cstdlib>

namespace {
constexpr int CloudCount = 20;
constexpr int CloudGroupCount = 8;
constexpr int CloudSpacing = 5 * (ScreenWidth / 10);  // 400
}  // namespace

void buildCloudField(Game& g) {
    std::vector<Sprite> clouds;
    std::vector<bool> layers;
    int offset = ScreenWidth;
    for (int i = 0; i < CloudCount; ++i) {
        Sprite cloud = g.cloudPrototype;
        const int r = std::rand();
        bool foreground = (r & 1) != 0;
        const int s = std::rand();  // drawn for every cloud, used by foreground ones
        cloud.position.x = g.cloudPrototype.position.x +
                           static_cast<float>(offset + (foreground ? s % 200 : 0));
        cloud.position.y = g.cloudPrototype.position.y +
                           static_cast<float>(randomRange(ScreenHeight - 40, 0));
        if (i == 2) {  // one cloud always sails in front of the player
            cloud.position = Vec2(2900.f, 330.f);
            foreground = true;
        }
        clouds.push_back(cloud);
        layers.push_back(foreground);
        offset += CloudSpacing;
    }
    g.cloudGroups.assign(CloudGroupCount, clouds);
    g.cloudLayers.assign(CloudGroupCount, layers);
}

// Background clouds drift 0.25 px a frame, foreground clouds 2; none ever wraps.
void driftClouds(Game& g) {
    const std::size_t group = static_cast<std::size_t>(g.cloudGroup - 1);
    std::vector<Sprite>& clouds = g.cloudGroups[group];
    const std::vector<bool>& layers = g.cloudLayers[group];
    for (std::size_t i = 0; i < clouds.size(); ++i) clouds[i].position.x -= layers[i] ? 2.f : 0.25f;
}

void candyClouds(Game& g) {
    for (Sprite& cloud : g.cloudGroups[static_cast<std::size_t>(g.cloudGroup - 1)])
        cloud.picture = Picture::CandyCloud;
}
