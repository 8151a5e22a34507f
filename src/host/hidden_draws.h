// Which of a frame's draws nobody can see: those under a later opaque picture that covers the whole view.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"
#include "shell/state/manifest.h"
#include "shell/state/sprite.h"

#include <array>
#include <cstddef>
#include <cstdint>

// What a host knows of each loaded picture: its size in pixels and whether
// every one of its pixels is fully opaque.
struct PictureLook {
    Vec2 size{0.f, 0.f};
    bool opaque = false;
};

using PictureLooks = std::array<PictureLook, PictureCount>;

// The look of a decoded picture: `rgba` holds its pixels row by row, four
// bytes each, alpha last.
PictureLook lookOf(const std::uint8_t* rgba, std::size_t width, std::size_t height);

// The part of the window a host paints, in scene pixels.
struct ViewRect {
    float left = 0.f;
    float top = 0.f;
    float width = 0.f;
    float height = 0.f;
};

struct VisibleDraws {
    std::size_t first = 0;  // the first draw anyone will see
    bool covered = false;   // a draw covers the view, so the clear under it is hidden too
};

// Finds the last draw whose picture is fully opaque, drawn at full alpha, and
// covers `view` (the start curtain, a flash, an end screen): it and every draw
// after it are seen, everything before it is hidden. The pixels are the same
// whether the hidden draws are painted or not.
VisibleDraws visibleDraws(const Sprite* draws, std::size_t count, const PictureLooks& looks, const ViewRect& view);
