// The SFML window's events as the core reads them.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "sfml/sfml_event.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <utility>

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

// The core's events for a run of the window's, each written as + or - and
// the key ("+Left"), "other" for the rest.
std::string coreEvents(const std::vector<sf::Event>& window) {
    HeldKeys held;
    std::string out;
    for (const sf::Event& e : window) {
        toCoreEvents(e, held, [&out](const Event& c) {
            if (!out.empty()) out += ' ';
            if (c.type == Event::Other) out += "other";
            else out += (c.type == Event::KeyPressed ? "+" : "-") + std::to_string(static_cast<int>(c.key));
        });
    }
    return out;
}

TEST(SfmlEvent, FocusLostLetsEveryHeldKeyGo) {
    using E = sf::Event;
    using K = sf::Keyboard;
    const std::string left = std::to_string(static_cast<int>(Key::Left));
    const std::string up = std::to_string(static_cast<int>(Key::Up));
    const std::string ret = std::to_string(static_cast<int>(Key::Return));
    struct Case {
        const char* name;
        std::vector<sf::Event> window;
        std::string core;
    };
    const Case cases[] = {
        {"held keys go up when focus goes, each once", {sfmlEvent(E::KeyPressed, K::Left), sfmlEvent(E::KeyPressed, K::Up),
          sfmlEvent(E::LostFocus)}, "+" + left + " +" + up + " -" + left + " -" + up},
        {"a key let go before focus went is not let go again", {sfmlEvent(E::KeyPressed, K::Left),
          sfmlEvent(E::KeyReleased, K::Left), sfmlEvent(E::LostFocus)}, "+" + left + " -" + left},
        {"the release that comes after focus returns is passed over", {sfmlEvent(E::KeyPressed, K::Left),
          sfmlEvent(E::LostFocus), sfmlEvent(E::GainedFocus), sfmlEvent(E::KeyReleased, K::Left)},
         "+" + left + " -" + left + " other"},
        {"pressed again after focus returns, a key works", {sfmlEvent(E::KeyPressed, K::Return),
          sfmlEvent(E::LostFocus), sfmlEvent(E::KeyPressed, K::Return), sfmlEvent(E::KeyReleased, K::Return)},
         "+" + ret + " -" + ret + " +" + ret + " -" + ret},
        {"focus lost with nothing held says nothing", {sfmlEvent(E::LostFocus)}, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(coreEvents(c.window), c.core) << c.name;
}

// Chosen keys come as the arrow or Return they stand for; the arrows and every other key stay what they were.
TEST(SfmlEvent, ChosenKeysComeAsTheirActions) {
    KeyChoice chosen;
    std::string error;
    ASSERT_TRUE(parseKeyChoice("left=A,right=7,up=LAlt,down=RShift,strike=Space", chosen, error)) << error;
    const std::pair<sf::Keyboard::Key, Key> cases[] = {
        {sf::Keyboard::A, Key::Left},    {sf::Keyboard::Num7, Key::Right}, {sf::Keyboard::LAlt, Key::Up},
        {sf::Keyboard::RShift, Key::Down}, {sf::Keyboard::Space, Key::Return}, {sf::Keyboard::Left, Key::Left},
        {sf::Keyboard::Return, Key::Return}, {sf::Keyboard::D, Key::D},   {sf::Keyboard::Q, Key::Unknown},
        {sf::Keyboard::F11, Key::Unknown},
    };
    for (const auto& [code, key] : cases) {
        EXPECT_EQ(toCoreEvent(sfmlEvent(sf::Event::KeyPressed, code), chosen).key, key) << choiceName(code);
        EXPECT_EQ(toCoreEvent(sfmlEvent(sf::Event::KeyReleased, code), chosen).key, key) << choiceName(code);
    }
}

}  // namespace
