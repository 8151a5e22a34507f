// The browser's key names of the game's five keys.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/key_map.h"

#include <cstring>

namespace {
struct NamedKey {
    const char* name;
    Key key;
};

constexpr NamedKey gameKeys[] = {
    {"ArrowLeft", Key::Left}, {"ArrowRight", Key::Right}, {"ArrowUp", Key::Up},
    {"ArrowDown", Key::Down}, {"Enter", Key::Return},
};
}  // namespace

PageKey pageKey(const char* name) {
    for (const NamedKey& k : gameKeys)
        if (std::strcmp(name, k.name) == 0) return {k.key, true};
    return {};
}
