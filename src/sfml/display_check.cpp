// Opens the X display once, so a missing one is reported instead of aborting inside SFML.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/display_check.h"

#include <X11/Xlib.h>

#include <cstdlib>

bool displayAvailable(std::string& problem) {
    // SFML opens the display named by DISPLAY and aborts when it cannot.
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        problem = "cannot open a display: DISPLAY is not set";
        return false;
    }
    // The connection stays open for the rest of the run: an X server whose
    // last client leaves resets itself (Xvfb does unless told -noreset), and
    // the window's own connection, opened right after, would then fail.
    static Display* const kept = XOpenDisplay(name);
    if (kept == nullptr) {
        problem = std::string("cannot open display \"") + name + "\" (DISPLAY)";
        return false;
    }
    return true;
}
