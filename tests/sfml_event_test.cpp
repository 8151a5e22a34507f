// The SFML window's events as the core reads them.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/sfml_event.h"

#include <gtest/gtest.h>

namespace {

sf::Event sfmlEvent(sf::Event::EventType type, sf::Keyboard::Key code = sf::Keyboard::Unknown) {
    sf::Event e{};
    e.type = type;
    if (type == sf::Event::KeyPressed || type == sf::Event::KeyReleased) e.key.code = code;
    return e;
}

TEST(SfmlEvent, ClosesAndKnownKeysCrossTheRestBecomeOther) {
    struct Case {
        sf::Event in;
        Event::Type type;
        Key key;
    };
    const Case cases[] = {
        {sfmlEvent(sf::Event::Closed), Event::Closed, Key::Unknown},
        {sfmlEvent(sf::Event::KeyPressed, sf::Keyboard::Left), Event::KeyPressed, Key::Left},
        {sfmlEvent(sf::Event::KeyReleased, sf::Keyboard::Right), Event::KeyReleased, Key::Right},
        {sfmlEvent(sf::Event::KeyPressed, sf::Keyboard::Up), Event::KeyPressed, Key::Up},
        {sfmlEvent(sf::Event::KeyPressed, sf::Keyboard::Down), Event::KeyPressed, Key::Down},
        {sfmlEvent(sf::Event::KeyPressed, sf::Keyboard::Return), Event::KeyPressed, Key::Return},
        {sfmlEvent(sf::Event::KeyPressed, sf::Keyboard::Q), Event::KeyPressed, Key::Unknown},
        {sfmlEvent(sf::Event::KeyReleased, sf::Keyboard::F11), Event::KeyReleased, Key::Unknown},
        {sfmlEvent(sf::Event::Resized), Event::Other, Key::Unknown},
        {sfmlEvent(sf::Event::LostFocus), Event::Other, Key::Unknown},
        {sfmlEvent(sf::Event::TextEntered), Event::Other, Key::Unknown},
        {sfmlEvent(sf::Event::MouseMoved), Event::Other, Key::Unknown},
    };
    for (const Case& c : cases) {
        const Event e = toCoreEvent(c.in);
        EXPECT_EQ(e.type, c.type) << "SFML event type " << c.in.type;
        EXPECT_EQ(e.key, c.key) << "SFML event type " << c.in.type;
    }
}

}  // namespace
