// The event poll: arrows and Return set and clear the held-key flags; a close request closes the window.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "shell/input.h"

#include "shell/state/game.h"

namespace {
bool* heldFlag(Game& g, Key key) {
    switch (key) {
    case Key::Left: return &g.leftHeld;
    case Key::Right: return &g.rightHeld;
    case Key::Up: return &g.upHeld;
    case Key::Down: return &g.downHeld;
    case Key::Return: return &g.enterHeld;
    default: return nullptr;
    }
}
}  // namespace

void pollEvents(Game& g) {
    Event& e = g.event;
    while (g.io.pollEvent(e)) {
        switch (e.type) {
        case Event::Closed:
            // The rest of the queue is still read and the frame still drawn;
            // the loop ends at its next check.
            g.io.closeWindow();
            break;
        case Event::KeyPressed:
            // Every Return press, key repeats included, restarts the strike timer.
            if (e.key == Key::Return) g.enterClock.restart();
            if (bool* flag = heldFlag(g, e.key)) *flag = true;
            break;
        case Event::KeyReleased:
            if (bool* flag = heldFlag(g, e.key)) *flag = false;
            break;
        default:
            break;  // resizes, focus, mouse and the rest change nothing
        }
    }
}
