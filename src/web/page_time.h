// The page's game time: the browser's clock with the time the page spent hidden left out.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

// Browsers stop a hidden tab's animation callbacks, so the game cannot run
// while hidden; if its clocks went on, the story would jump past waves and
// narration on return. Every reading here leaves the hidden intervals out.
// Times are the browser's clock in seconds; they never go backwards.
class PageTime {
public:
    // The game time at browser time `real`. While hidden it stands still at
    // the moment the page was hidden.
    double at(double real) const { return (hidden_ ? hiddenSince_ : real) - hiddenTotal_; }

    void hide(double real) {
        if (hidden_) return;
        hidden_ = true;
        hiddenSince_ = real;
    }

    // Returns when the page was hidden, so the caller can leave the same
    // interval out of its frame schedule; a show without a hide returns `real`.
    double show(double real) {
        if (!hidden_) return real;
        hidden_ = false;
        if (real > hiddenSince_) hiddenTotal_ += real - hiddenSince_;
        return hiddenSince_;
    }

    bool hidden() const { return hidden_; }

private:
    bool hidden_ = false;
    double hiddenSince_ = 0.0;
    double hiddenTotal_ = 0.0;
};
