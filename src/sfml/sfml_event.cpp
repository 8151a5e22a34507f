// Translates SFML's window events into the core's: closes, the keys the game knows, and the rest as Other.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/sfml_event.h"

namespace {
struct KeyMatch {
    sf::Keyboard::Key sfml;
    Key key;
};

using K = sf::Keyboard;
constexpr KeyMatch keyMatches[] = {
    {K::Left, Key::Left},     {K::Right, Key::Right},   {K::Up, Key::Up},         {K::Down, Key::Down},
    {K::Return, Key::Return}, {K::Space, Key::Space},   {K::Escape, Key::Escape}, {K::LShift, Key::LShift},
    {K::A, Key::A},           {K::D, Key::D},           {K::S, Key::S},           {K::W, Key::W},
    {K::F, Key::F},           {K::F1, Key::F1},         {K::Num1, Key::Num1},
};

Key toCore(sf::Keyboard::Key code) {
    for (const KeyMatch& m : keyMatches)
        if (m.sfml == code) return m.key;
    return Key::Unknown;
}

}  // namespace

Event toCoreEvent(const sf::Event& e) {
    switch (e.type) {
    case sf::Event::Closed: return {Event::Closed, Key::Unknown};
    case sf::Event::KeyPressed: return {Event::KeyPressed, toCore(e.key.code)};
    case sf::Event::KeyReleased: return {Event::KeyReleased, toCore(e.key.code)};
    default: return {Event::Other, Key::Unknown};
    }
}
