// Opens the X display once and asks it for GLX: a missing display or OpenGL is reported, not a crash in SFML.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/display_check.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace {
Display* kept = nullptr;
}

Display* checkedDisplay() { return kept; }

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
    if (kept == nullptr) kept = XOpenDisplay(name);
    if (kept == nullptr) {
        problem = std::string("cannot open display \"") + name + "\" (DISPLAY)";
        return false;
    }
    // The window draws through OpenGL, which SFML reaches through the GLX
    // extension; without it SFML would crash making the window's context.
    int opcode = 0, firstEvent = 0, firstError = 0;
    if (!XQueryExtension(kept, "GLX", &opcode, &firstEvent, &firstError)) {
        problem = std::string("display \"") + name + "\" has no OpenGL support (no GLX extension)";
        return false;
    }
    return true;
}
