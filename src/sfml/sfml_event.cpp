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

struct KeyName {
    sf::Keyboard::Key sfml;
    const char* name;
};

constexpr KeyName namedKeys[] = {
    {K::Space, "Space"},     {K::Tab, "Tab"},           {K::Left, "Left"},     {K::Right, "Right"},
    {K::Up, "Up"},           {K::Down, "Down"},         {K::Return, "Return"}, {K::LShift, "LShift"},
    {K::RShift, "RShift"},   {K::LControl, "LControl"}, {K::RControl, "RControl"}, {K::LAlt, "LAlt"},
    {K::RAlt, "RAlt"},
};

Key chosenOrCore(sf::Keyboard::Key code, const KeyChoice& chosen) {
    const Key core = toCore(code);
    return chosen.keys.empty() ? core : chosen.action(choiceName(code), core);
}

}  // namespace

std::string choiceName(sf::Keyboard::Key code) {
    if (code >= K::A && code <= K::Z) return std::string(1, static_cast<char>('A' + (code - K::A)));
    if (code >= K::Num0 && code <= K::Num9) return std::string(1, static_cast<char>('0' + (code - K::Num0)));
    for (const KeyName& k : namedKeys)
        if (k.sfml == code) return k.name;
    return "";
}

Event toCoreEvent(const sf::Event& e, const KeyChoice& chosen) {
    switch (e.type) {
    case sf::Event::Closed: return {Event::Closed, Key::Unknown};
    case sf::Event::KeyPressed: return {Event::KeyPressed, chosenOrCore(e.key.code, chosen)};
    case sf::Event::KeyReleased: return {Event::KeyReleased, chosenOrCore(e.key.code, chosen)};
    default: return {Event::Other, Key::Unknown};
    }
}
