// Reading the key list and the volume a player gives on the command line or in the page's address.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "host/player_settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

struct Action {
    const char* name;
    Key key;
    const char* ownKey;  // its default key, by name
};

constexpr Action actions[] = {
    {"left", Key::Left, "Left"}, {"right", Key::Right, "Right"}, {"up", Key::Up, "Up"},
    {"down", Key::Down, "Down"}, {"strike", Key::Return, "Return"},
};

constexpr const char* namedKeys[] = {"Space",    "Tab",      "Left", "Right", "Up",   "Down", "Return", "LShift",
                                     "RShift",   "LControl", "RControl", "LAlt", "RAlt"};

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

const Action* actionNamed(const std::string& name) {
    const std::string wanted = lower(name);
    for (const Action& a : actions)
        if (wanted == a.name) return &a;
    return nullptr;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string keyChoiceName(const std::string& name) {
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(name[0]))));
    const std::string wanted = lower(name);
    if (wanted == "enter") return "Return";
    for (const char* known : namedKeys)
        if (wanted == lower(known)) return known;
    return "";
}

Key KeyChoice::action(const std::string& name, Key otherwise) const {
    for (const Chosen& c : keys)
        if (c.key == name) return c.action;
    return otherwise;
}

bool parseKeyChoice(const std::string& list, KeyChoice& choice, std::string& error) {
    choice = KeyChoice{};
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string item = list.substr(start, comma - start);
        start = comma + 1;
        const std::size_t sign = item.find_first_of("=:");
        if (sign == std::string::npos) {
            error = "'" + item + "' is not action=key";
            return false;
        }
        const std::string actionName = trimmed(item.substr(0, sign));
        const std::string keyText = trimmed(item.substr(sign + 1));
        const Action* action = actionNamed(actionName);
        if (action == nullptr) {
            error = "no action '" + actionName + "' (left, right, up, down, strike)";
            return false;
        }
        if (lower(keyText) == "f11") {
            error = "F11 is the game's own key (the window or full screen)";
            return false;
        }
        const std::string key = keyChoiceName(keyText);
        if (key == "Tab") {
            error = "Tab moves between the page's buttons and the game; it cannot be chosen";
            return false;
        }
        if (key.empty()) {
            error = "no key '" + keyText + "'";
            return false;
        }
        for (const KeyChoice::Chosen& c : choice.keys) {
            if (c.action == action->key) {
                error = std::string(action->name) + " is named twice";
                return false;
            }
            if (c.key == key) {
                error = key + " is named twice";
                return false;
            }
        }
        // An arrow or Return already does its own action.
        for (const Action& own : actions)
            if (key == own.ownKey && own.key != action->key) {
                error = key + " is named twice (it is the " + own.name + " key already)";
                return false;
            }
        choice.keys.push_back({key, action->key});
    }
    return true;
}

bool parseVolume(const std::string& text, int& volume) {
    int n = 0;
    const char* last = text.data() + text.size();
    const auto [stop, problem] = std::from_chars(text.data(), last, n);
    if (text.empty() || problem != std::errc() || stop != last || n < 0 || n > 100) return false;
    volume = n;
    return true;
}
