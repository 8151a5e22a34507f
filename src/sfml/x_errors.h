// What the hosts do when the X display fails them: a lost connection, a window destroyed by another client.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

namespace sf {
class Window;
}
struct _XDisplay;  // Xlib's Display

// From its construction on, losing the connection to the X server ends the
// program at once with `exitCode` and the one line "PROGRAM: the display was
// lost" on stderr. The exit skips the process's own teardown, whose sound
// device would only complain that it could not be closed.
struct DisplayLossExit {
    DisplayLossExit(const char* program, int exitCode);
};

// Watches `window` for being destroyed by another client (a window manager's
// destroy, `xdotool windowclose`): its DestroyNotify, read on `connection` (a
// connection of our own, not SFML's), and the X errors about it, which are
// then not printed. Any other X error goes to Xlib's usual handler.
void watchWindow(const sf::Window& window, _XDisplay* connection);

// Whether the watched window is known to be destroyed, from what has arrived.
bool windowDestroyed();
// The same after a round trip to the server: everything it did before now is known.
bool windowDestroyedNow();
