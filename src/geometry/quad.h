// Invisible four-point collision quad: the true position of everything that can touch.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"

#include <array>
#include <cstddef>

// A fixed-capacity polygon of at most four points with a translation.
// It never allocates, so copying and testing one is cheap every frame.
struct Quad {
    static constexpr std::size_t Capacity = 4;

    std::array<Vec2, Capacity> points{};
    std::size_t pointCount = 0;
    Vec2 position{0.f, 0.f};

    // Appends a point in local coordinates; a full quad ignores further points.
    bool addPoint(float x, float y) {
        if (pointCount == Capacity) return false;
        points[pointCount++] = Vec2(x, y);
        return true;
    }

    // Point i in window coordinates (the quad has no rotation, scale or centre).
    Vec2 corner(std::size_t i) const { return points[i] + position; }

    // A w by h box built as (0,0), (0,h), (w,h), (w,0): the winding of the
    // player, the blocks and Vexmor.
    static Quad box(float w, float h) {
        Quad q;
        q.addPoint(0.f, 0.f);
        q.addPoint(0.f, h);
        q.addPoint(w, h);
        q.addPoint(w, 0.f);
        return q;
    }
};
