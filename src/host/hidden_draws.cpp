// The rule that leaves out the draws a later full-window opaque picture hides.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/hidden_draws.h"

PictureLook lookOf(const std::uint8_t* rgba, std::size_t width, std::size_t height) {
    PictureLook look{Vec2(static_cast<float>(width), static_cast<float>(height)), true};
    const std::size_t bytes = 4 * width * height;
    for (std::size_t alpha = 3; alpha < bytes && look.opaque; alpha += 4) look.opaque = rgba[alpha] == 255;
    return look;
}

namespace {
bool coversView(const Sprite& s, const PictureLooks& looks, const ViewRect& view) {
    const PictureLook& look = looks[static_cast<std::size_t>(s.picture)];
    if (!look.opaque || s.color.a != 255) return false;
    return s.position.x <= view.left && s.position.y <= view.top &&
           s.position.x + look.size.x >= view.left + view.width &&
           s.position.y + look.size.y >= view.top + view.height;
}
}  // namespace

VisibleDraws visibleDraws(const Sprite* draws, std::size_t count, const PictureLooks& looks, const ViewRect& view) {
    for (std::size_t i = count; i-- > 0;)
        if (coversView(draws[i], looks, view)) return {i, true};
    return {0, false};
}
