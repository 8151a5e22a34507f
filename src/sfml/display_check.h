// Whether the X display the window needs can be opened, asked before any window is made.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// The exit code when no display can be opened (0: the window was closed,
// 1: an asset failed to load).
constexpr int NoDisplayExitCode = 2;

// True when the display named by DISPLAY opens and offers OpenGL (GLX);
// that connection is kept until the program ends. Otherwise false, with
// `problem` set to one line saying which display could not be opened or
// lacks OpenGL. Asked once per run.
bool displayAvailable(std::string& problem);

// The connection the check opened and keeps, or null before a successful check.
struct _XDisplay;  // Xlib's Display
_XDisplay* checkedDisplay();
