// The X error and I/O error handlers the hosts install, and the watch over the game's window.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/x_errors.h"

#include <SFML/Window/Window.hpp>
#include <X11/Xlib.h>

#include <cstdio>
#include <unistd.h>

namespace {
const char* lostProgram = "";
int lostExitCode = 0;

const sf::Window* watched = nullptr;
Display* watchConnection = nullptr;
unsigned long selected = 0;   // the window whose structure events we asked for
unsigned long ourWindow = 0;  // its id, kept after SFML has let go of it
bool destroyed = false;
XErrorHandler usualHandler = nullptr;

int displayLost(Display*) {
    // Xlib must not be called again: one line, straight to the descriptor.
    char line[128];
    const int n = std::snprintf(line, sizeof line, "%s: the display was lost\n", lostProgram);
    if (n > 0) {
        const ssize_t written = write(STDERR_FILENO, line, static_cast<std::size_t>(n));
        static_cast<void>(written);
    }
    _exit(lostExitCode);
}

unsigned long currentWindow() {
    const unsigned long current = watched ? static_cast<unsigned long>(watched->getSystemHandle()) : 0;
    if (current != 0) ourWindow = current;
    return ourWindow;
}

int xError(Display* display, XErrorEvent* error) {
    const unsigned long window = currentWindow();
    if (window != 0 && error->resourceid == window) {
        destroyed = true;
        return 0;
    }
    return usualHandler ? usualHandler(display, error) : 0;
}

// Reads the DestroyNotify of the window, if it has come; SFML may make the
// window anew (its id changes), so the current one is asked for each time.
void readDestroyNotify() {
    const unsigned long window = currentWindow();
    if (watchConnection == nullptr || window == 0 || destroyed) return;
    if (window != selected) {
        XSelectInput(watchConnection, window, StructureNotifyMask);
        selected = window;
    }
    // Every structure event is taken off the queue (a moved or resized window
    // sends them too), so none pile up over a long game.
    XEvent event;
    while (XCheckWindowEvent(watchConnection, window, StructureNotifyMask, &event)) {
        if (event.type == DestroyNotify) destroyed = true;
    }
}
}  // namespace

DisplayLossExit::DisplayLossExit(const char* program, int exitCode) {
    lostProgram = program;
    lostExitCode = exitCode;
    XSetIOErrorHandler(displayLost);
}

void watchWindow(const sf::Window& window, _XDisplay* connection) {
    watched = &window;
    watchConnection = connection;
    XErrorHandler previous = XSetErrorHandler(xError);
    if (previous != xError) usualHandler = previous;
    readDestroyNotify();
}

bool windowDestroyed() {
    readDestroyNotify();
    return destroyed;
}

bool windowDestroyedNow() {
    if (watchConnection != nullptr) XSync(watchConnection, False);
    return windowDestroyed();
}
