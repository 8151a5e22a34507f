// Captions for the narration: the table of which picture shows when, and what is on screen as clips start.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/values.h"
#include "shell/state/manifest.h"

#include <array>
#include <cstddef>
#include <istream>
#include <string>
#include <vector>

// One caption: its picture shows from `from` until `until` seconds after its
// clip starts. A clip's captions follow one another without a gap, and the
// last one ends with the clip.
struct Caption {
    Clip clip = Clip::ABeautiful;
    float from = 0.f;
    float until = 0.f;
    std::string picture;  // a bare file name in the captions folder
};

// Reads the caption table: rows of "CLIPFILE FROM UNTIL PICTURE", '#'
// comments and blank lines. Every clip needs its captions, in the clip's
// order. False with `error` saying which line is wrong and why.
bool parseCaptions(std::istream& in, std::vector<Caption>& table, std::string& error);

// Whether a caption picture of `size` fits its band: no wider than the
// scene, and at most a third of its height.
bool fitsCaptionBand(Vec2 size, Vec2 screen);

// One caption on screen: the table row, and where its picture's top-left corner goes.
struct CaptionSprite {
    std::size_t caption = 0;
    Vec2 position{0.f, 0.f};
};

// Follows the clips a host starts and says which captions to lay over the
// frame, and where. It is fed every clip start, with the host's clock in
// seconds, and asked once per drawn frame.
//
// A clip's captions run from its first start. Starting a clip again while
// its captions show (the narration starts its clips on two or three frames
// in a row; the strike clip on every frame its strike is armed) keeps them
// going without a restart, and keeps the last one up until the clip, counted
// from its latest start, has ended. Clips that overlap stack their bands,
// the clip started last at the bottom of the window.
class Captions {
public:
    // `screen` is the scene's size; every caption picture is `sizes[i]` big.
    Captions(std::vector<Caption> table, std::vector<Vec2> sizes, Vec2 screen);

    const std::vector<Caption>& table() const { return table_; }

    void started(Clip clip, double now);
    // The captions on screen at `now`, top band first.
    const std::vector<CaptionSprite>& showing(double now);

private:
    struct Running {
        bool on = false;
        double first = 0.0;   // when the captions began
        double latest = 0.0;  // the clip's latest start
    };
    std::vector<Caption> table_;
    std::vector<Vec2> sizes_;
    Vec2 screen_;
    std::array<std::size_t, ClipCount> firstRow_{};  // each clip's first row; its rows follow
    std::array<std::size_t, ClipCount> rows_{};
    std::array<Running, ClipCount> running_{};
    std::vector<std::size_t> order_;  // running clips, oldest first
    std::vector<CaptionSprite> showing_;
};
