// The canvas leaves out what a full-window picture hides, and the frame's pixels stay exactly the same.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "harness.h"

#include "sfml/canvas.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <cstring>
#include <unistd.h>

namespace {

struct Moment {
    const char* name;
    const char* recording;
    int frame;
    bool bothEndScreens;  // the win screen forced on over the loss, for one more frame
    Picture firstSeen;    // the bottom picture once the hidden draws are out
};

// Paints one frame's draws, as the harness recorded them, onto a fresh target.
sf::Image paint(Canvas& canvas, const FrameRecord& frame, bool cull, std::size_t& painted) {
    sf::RenderTexture target;
    EXPECT_TRUE(target.create(ScreenWidth, ScreenHeight));
    target.clear(sf::Color(90, 40, 200));  // what a previous frame left behind
    canvas.setCulling(cull);
    for (const Color& c : frame.clears) canvas.clear(c);
    for (const DrawCall& d : frame.draws) {
        Sprite s(d.picture);
        s.position = d.position;
        s.color = d.color;
        canvas.draw(s);
    }
    canvas.paint(target);
    painted = canvas.painted();
    target.display();
    return target.getTexture().copyToImage();
}

}  // namespace

TEST(Canvas, HiddenDrawsLeftOutSamePixels) {
    ASSERT_EQ(chdir(TUMBLEWING_ASSETS_DIR), 0);
    Canvas canvas;
    for (std::size_t p = 0; p < PictureCount; ++p) ASSERT_TRUE(canvas.loadPicture(static_cast<Picture>(p)));

    const Moment moments[] = {
        {"start screen: the curtain hides the sky and the lives", "win.keys", 1, false, Picture::Black},
        {"the curtain fading: only the clear is hidden", "win.keys", 27, false, Picture::NimbaraBest},
        {"the candy flash", "win.keys", 1695, false, Picture::White},
        {"the forest flash", "win.keys", 5602, false, Picture::White},
        {"the win screen", "win.keys", 15100, false, Picture::YouWin},
        {"the lose screen's first frame, still clear", "lose.keys", 3043, false, Picture::CandyNimbaraBest},
        {"the lose screen", "lose.keys", 3200, false, Picture::YouLose},
        {"both end screens, the win on top", "lose.keys", 3200, true, Picture::YouWin},
    };
    for (const Moment& m : moments) {
        SCOPED_TRACE(m.name);
        InputScript script;
        std::string error;
        ASSERT_TRUE(loadRecording(m.recording, script, error)) << error;
        Harness h(script.seed);
        ASSERT_TRUE(h.start());
        h.schedule(script);
        h.frames(m.frame);
        if (m.bothEndScreens) {
            h.game().showWinScreen = true;
            h.frame();
        }
        std::size_t all = 0, culled = 0;
        const sf::Image everything = paint(canvas, h.last(), false, all);
        const sf::Image seen = paint(canvas, h.last(), true, culled);
        const std::vector<DrawCall>& draws = h.last().draws;
        EXPECT_EQ(all, draws.size());
        ASSERT_GT(culled, 0u);
        EXPECT_EQ(draws[draws.size() - culled].picture, m.firstSeen);
        ASSERT_EQ(everything.getSize(), seen.getSize());
        EXPECT_EQ(std::memcmp(everything.getPixelsPtr(), seen.getPixelsPtr(), 4u * ScreenWidth * ScreenHeight), 0);
    }
}
