// A picture on screen: which manifest picture, where its top-left corner is, and its colour.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"
#include "shell/state/manifest.h"

#include <cstdint>

// The core's sprite is plain data. A host draws it unscaled, at the
// picture's own pixel size, with its top-left corner on `position`.
struct Sprite {
    Picture picture = Picture::Black;
    Vec2 position{0.f, 0.f};
    Color color{255, 255, 255, 255};

    Sprite() = default;
    explicit Sprite(Picture shown) : picture(shown) {}

    void setAlpha(int alpha) { color.a = static_cast<std::uint8_t>(alpha); }
};
