// The event poll: arrows and Return set and clear the held-key flags; a close request closes the window.
#include "shell/input.h"

#include "shell/game.h"

namespace {
bool* heldFlag(Game& g, sf::Keyboard::Key key) {
    switch (key) {
    case sf::Keyboard::Left: return &g.leftHeld;
    case sf::Keyboard::Right: return &g.rightHeld;
    case sf::Keyboard::Up: return &g.upHeld;
    case sf::Keyboard::Down: return &g.downHeld;
    case sf::Keyboard::Return: return &g.enterHeld;
    default: return nullptr;
    }
}
}  // namespace

void pollEvents(Game& g) {
    sf::Event& e = g.event;
    while (g.io.pollEvent(e)) {
        switch (e.type) {
        case sf::Event::Closed:
            // The rest of the queue is still read and the frame still drawn;
            // the loop ends at its next check.
            g.io.closeWindow();
            break;
        case sf::Event::KeyPressed:
            // Every Return press, key repeats included, restarts the strike timer.
            if (e.key.code == sf::Keyboard::Return) g.enterClock.restart();
            if (bool* flag = heldFlag(g, e.key.code)) *flag = true;
            break;
        case sf::Event::KeyReleased:
            if (bool* flag = heldFlag(g, e.key.code)) *flag = false;
            break;
        default:
            break;  // resizes, focus, mouse and the rest change nothing
        }
    }
}
