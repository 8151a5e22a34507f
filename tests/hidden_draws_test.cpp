// The hidden-draw rule: which draws a later opaque full-window picture hides.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/hidden_draws.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Black is an opaque 800x600 picture, White an 800x600 one with a
// translucent pixel, Kestra a small opaque one.
PictureLooks looks() {
    PictureLooks l{};
    l[static_cast<std::size_t>(Picture::Black)] = {Vec2(800.f, 600.f), true};
    l[static_cast<std::size_t>(Picture::White)] = {Vec2(800.f, 600.f), false};
    l[static_cast<std::size_t>(Picture::Kestra)] = {Vec2(45.f, 45.f), true};
    l[static_cast<std::size_t>(Picture::NimbaraBest)] = {Vec2(4000.f, 600.f), true};
    return l;
}

Sprite at(Picture p, float x, float y, std::uint8_t alpha = 255) {
    Sprite s(p);
    s.position = Vec2(x, y);
    s.setAlpha(alpha);
    return s;
}

struct Case {
    const char* name;
    std::vector<Sprite> draws;
    ViewRect view;
    std::size_t first;
    bool covered;
};

constexpr ViewRect Window{0.f, 0.f, 800.f, 600.f};

TEST(HiddenDraws, OnlyTheLastOpaqueFullWindowPictureHidesWhatCameBefore) {
    const Sprite kestra = at(Picture::Kestra, 80.f, 300.f);
    const Case cases[] = {
        {"nothing drawn", {}, Window, 0, false},
        {"no cover", {kestra, kestra}, Window, 0, false},
        {"curtain over the flier", {kestra, at(Picture::Black, 0.f, 0.f), kestra}, Window, 1, true},
        {"the last of two covers wins", {at(Picture::Black, 0.f, 0.f), kestra, at(Picture::Black, 0.f, 0.f)}, Window, 2,
         true},
        {"a cover drawn first hides only the clear", {at(Picture::Black, 0.f, 0.f), kestra}, Window, 0, true},
        {"a fading curtain hides nothing", {kestra, at(Picture::Black, 0.f, 0.f, 254)}, Window, 0, false},
        {"a picture with a see-through pixel hides nothing", {kestra, at(Picture::White, 0.f, 0.f)}, Window, 0, false},
        {"a cover one pixel off hides nothing", {kestra, at(Picture::Black, 1.f, 0.f)}, Window, 0, false},
        {"a cover a fraction off hides nothing", {kestra, at(Picture::Black, 0.f, -0.5f)}, Window, 0, false},
        {"a wide backdrop scrolled left still covers", {kestra, at(Picture::NimbaraBest, -3000.f, 0.f)}, Window, 1,
         true},
        {"scrolled too far it does not", {kestra, at(Picture::NimbaraBest, -3200.5f, 0.f)}, Window, 0, false},
        {"a small view inside a small picture", {at(Picture::Black, 0.f, 0.f), at(Picture::Kestra, 10.f, 10.f)},
         ViewRect{20.f, 20.f, 30.f, 30.f}, 1, true},
    };
    for (const Case& c : cases) {
        const VisibleDraws seen = visibleDraws(c.draws.data(), c.draws.size(), looks(), c.view);
        EXPECT_EQ(seen.first, c.first) << c.name;
        EXPECT_EQ(seen.covered, c.covered) << c.name;
    }
}

// Only the alpha bytes count, the last pixel's too.
TEST(HiddenDraws, APictureIsOpaqueWhenEveryAlphaIs255) {
    struct Row {
        const char* name;
        std::size_t seeThrough;  // the pixel given alpha 254; 6 for none
        std::uint8_t colour;
        bool opaque;
    };
    const Row rows[] = {
        {"every alpha 255", 6, 0, true},          {"every alpha 255, colours too", 6, 255, true},
        {"the first pixel 254", 0, 255, false},   {"the last pixel 254", 5, 255, false},
    };
    for (const Row& r : rows) {
        std::vector<std::uint8_t> rgba(3 * 2 * 4, r.colour);
        for (std::size_t p = 0; p < 6; ++p) rgba[4 * p + 3] = p == r.seeThrough ? 254 : 255;
        const PictureLook look = lookOf(rgba.data(), 3, 2);
        EXPECT_EQ(look.opaque, r.opaque) << r.name;
        EXPECT_EQ(look.size.x, 3.f) << r.name;
        EXPECT_EQ(look.size.y, 2.f) << r.name;
    }
}

}  // namespace
