// The captions as the SFML hosts show them: the table and pictures read from captions/, laid over each frame.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "host/captions.h"
#include "sfml/canvas.h"

#include <optional>

// Off until loaded; then every clip start and drawn frame goes through it.
class CaptionLayer {
public:
    // Reads the table and loads each caption's picture into `canvas` as an
    // overlay, from the captions folder in the canvas's folder. False after naming the file that failed, and why, on sf::err().
    bool load(Canvas& canvas);

    void started(Clip clip, double now) {
        if (captions_) captions_->started(clip, now);
    }
    // Queues the captions showing at `now` over the frame collected on `canvas`.
    void lay(Canvas& canvas, double now);

private:
    std::optional<Captions> captions_;
};
