// The browser's key names of the game's five keys.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/key_map.h"

#include <cctype>
#include <cstring>
#include <string>

namespace {
struct NamedKey {
    const char* name;
    Key key;
};

constexpr NamedKey gameKeys[] = {
    {"ArrowLeft", Key::Left}, {"ArrowRight", Key::Right}, {"ArrowUp", Key::Up},
    {"ArrowDown", Key::Down}, {"Enter", Key::Return},
};

struct ListName {
    const char* dom;
    const char* list;
};

// By `key`, then by `code` for the modifiers (whose `key` says no side).
constexpr ListName byKey[] = {{" ", "Space"}, {"Tab", "Tab"}, {"ArrowLeft", "Left"}, {"ArrowRight", "Right"},
                              {"ArrowUp", "Up"}, {"ArrowDown", "Down"}, {"Enter", "Return"}};
constexpr ListName byCode[] = {{"ShiftLeft", "LShift"},     {"ShiftRight", "RShift"}, {"ControlLeft", "LControl"},
                               {"ControlRight", "RControl"}, {"AltLeft", "LAlt"},      {"AltRight", "RAlt"},
                               {"Space", "Space"}};

bool letterOrDigit(const char* text) {
    return text[0] != '\0' && text[1] == '\0' && std::isalnum(static_cast<unsigned char>(text[0]));
}

}  // namespace

PageKey pageKey(const char* name) {
    for (const NamedKey& k : gameKeys)
        if (std::strcmp(name, k.name) == 0) return {k.key, true};
    return {};
}

std::string choiceName(const char* name, const char* code) {
    if (letterOrDigit(name)) return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(name[0]))));
    for (const ListName& k : byKey)
        if (std::strcmp(name, k.dom) == 0) return k.list;
    for (const ListName& k : byCode)
        if (std::strcmp(code, k.dom) == 0) return k.list;
    // A letter or digit whose key shows something else (a shifted digit, another script).
    if (std::strncmp(code, "Key", 3) == 0 && letterOrDigit(code + 3)) return code + 3;
    if (std::strncmp(code, "Digit", 5) == 0 && letterOrDigit(code + 5)) return code + 5;
    return "";
}

PageKey pageKey(const char* name, const char* code, const KeyChoice& chosen, Modifiers held) {
    const PageKey own = pageKey(name);
    if (own.taken || chosen.keys.empty()) return own;
    // A modifier's own event says it is down: only the others count.
    const auto is = [code](const char* side) { return std::strncmp(code, side, std::strlen(side)) == 0; };
    if ((held.ctrl && !is("Control")) || (held.alt && !is("Alt")) || (held.meta && !is("Meta"))) return own;
    const Key action = chosen.action(choiceName(name, code), Key::Unknown);
    if (action == Key::Unknown) return own;
    return {action, true};
}
