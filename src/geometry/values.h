// The core's plain value types: a 2-D float vector, an RGBA colour and the window events the game reads.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// A position or offset in window pixels.
struct Vec2 {
    float x = 0.f;
    float y = 0.f;

    constexpr Vec2() = default;
    constexpr Vec2(float px, float py) : x(px), y(py) {}

    constexpr Vec2& operator+=(Vec2 o) {
        x += o.x;
        y += o.y;
        return *this;
    }
};

constexpr Vec2 operator+(Vec2 a, Vec2 b) { return Vec2(a.x + b.x, a.y + b.y); }
constexpr Vec2 operator-(Vec2 a, Vec2 b) { return Vec2(a.x - b.x, a.y - b.y); }
constexpr bool operator==(Vec2 a, Vec2 b) { return a.x == b.x && a.y == b.y; }
constexpr bool operator!=(Vec2 a, Vec2 b) { return !(a == b); }

// An 8-bit RGBA colour; the default is opaque black.
struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;

    constexpr Color() = default;
    constexpr Color(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha = 255)
        : r(red), g(green), b(blue), a(alpha) {}
};

constexpr bool operator==(Color p, Color q) { return p.r == q.r && p.g == q.g && p.b == q.b && p.a == q.a; }
constexpr bool operator!=(Color p, Color q) { return !(p == q); }

// The keys a host can report. The game reads the arrows and Return; the
// others exist so recordings and tests can press keys the game ignores.
enum class Key { Unknown, Left, Right, Up, Down, Return, Space, Escape, LShift, A, D, S, W, F, F1, Num1 };

// A window event as the game sees it: a close request, a key going down
// (key repeats included) or up, or anything else, which the game ignores.
struct Event {
    enum Type { Other, Closed, KeyPressed, KeyReleased };
    Type type = Other;
    Key key = Key::Unknown;
};
