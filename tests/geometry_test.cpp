// Point-in-quad truncation rules and the random range helper.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "geometry/geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <limits>

namespace {
Quad placedBox(float x, float y, float w, float h) {
    Quad q = Quad::box(w, h);
    q.position = Vec2(x, y);
    return q;
}

Quad otherWinding(float w, float h) {
    Quad q;
    q.addPoint(0.f, 0.f);
    q.addPoint(w, 0.f);
    q.addPoint(w, h);
    q.addPoint(0.f, h);
    return q;
}
}  // namespace

TEST(Orientation, TruncatesTowardZero) {
    EXPECT_EQ(orientation(0, 0, 0, 1, 1, 0), -1);
    EXPECT_EQ(orientation(-0.5f, 0, 0, 1, 0, 0), 0);  // -0.5 counts as non-negative
    EXPECT_EQ(orientation(-1.f, 0, 0, 1, 0, 0), -1);
    EXPECT_EQ(orientation(0.5f, 0, 0, 1, 0, 0), 0);
}

// Truncation toward zero wherever the plain conversion is defined; beyond
// the int range the sign survives; NaN counts as zero.
TEST(TruncateToInt, Boundaries) {
    constexpr double Max = INT_MAX;
    constexpr double Min = INT_MIN;
    constexpr double Inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        int expected;
    } cases[] = {
        {0.0, 0},          {-0.0, 0},          {-0.999, 0},         {0.999, 0},
        {-1.0, -1},        {1.5, 1},           {Max, INT_MAX},      {Max + 0.5, INT_MAX},
        {Max + 1.0, INT_MAX}, {1e300, INT_MAX}, {Inf, INT_MAX},     {Min, INT_MIN},
        {Min - 0.5, INT_MIN}, {Min - 1.0, INT_MIN}, {-1e300, INT_MIN}, {-Inf, INT_MIN},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(truncateToInt(c.value), c.expected) << c.value;

    // A flier a day's drift above the window: the products pass 2^31 and
    // keep their sign.
    EXPECT_EQ(orientation(0, -2e7f, 0, 0, 200, 0), INT_MIN);
    EXPECT_EQ(orientation(0, 2e7f, 0, 0, 200, 0), INT_MAX);
    EXPECT_FALSE(isInsideQuad(Quad::box(200, 100), 100, -2e7f));
    EXPECT_FALSE(isInsideQuad(Quad::box(200, 100), 1e30f, -1e30f));
}

TEST(IsInsideQuad, PlayerSquareEdgesAreOutside) {
    const Quad square = placedBox(80, 300, 45, 45);
    EXPECT_TRUE(isInsideQuad(square, 100, 320));
    EXPECT_FALSE(isInsideQuad(square, 80, 320));     // on the left edge
    EXPECT_FALSE(isInsideQuad(square, 79, 320));
    EXPECT_FALSE(isInsideQuad(square, 80.01f, 320)); // -0.45 truncates to 0
    EXPECT_FALSE(isInsideQuad(square, 125, 320));    // on the right edge
    EXPECT_TRUE(isInsideQuad(square, 124, 344));
    EXPECT_FALSE(isInsideQuad(square, 100, 345));    // bottom edge
}

TEST(IsInsideQuad, OppositeWindingCountsAThinOuterBand) {
    const Quad zone = otherWinding(200, 100);
    EXPECT_TRUE(isInsideQuad(zone, 100, 50));
    EXPECT_TRUE(isInsideQuad(zone, -0.001f, 50));
    EXPECT_FALSE(isInsideQuad(zone, -1.f, 50));
    EXPECT_FALSE(isInsideQuad(zone, 300, 50));
}

TEST(IsInsideQuad, FollowsThePosition) {
    Quad zone = otherWinding(200, 100);
    zone.position = Vec2(400, 300);
    EXPECT_FALSE(isInsideQuad(zone, 100, 50));
    EXPECT_TRUE(isInsideQuad(zone, 500, 350));
}

TEST(IsInsideQuad, OnlyFourPointShapesContainAnything) {
    Quad triangle;
    triangle.addPoint(0, 0);
    triangle.addPoint(0, 100);
    triangle.addPoint(100, 100);
    EXPECT_FALSE(isInsideQuad(triangle, 10, 50));
    EXPECT_FALSE(isInsideQuad(Quad{}, 0, 0));

    Quad full = Quad::box(10, 10);
    EXPECT_FALSE(full.addPoint(50, 50));  // a fifth point is refused
    EXPECT_EQ(full.pointCount, 4u);
    EXPECT_TRUE(isInsideQuad(full, 5, 5));
}

TEST(RandomRange, DrawsOnceOrNotAtAll) {
    std::srand(7);
    const int first = std::rand();
    const int second = std::rand();

    std::srand(7);
    EXPECT_EQ(randomRange(5, 10), 0);  // high below low: no draw
    EXPECT_EQ(randomRange(5, 5), 0);   // equal bounds: no draw, no division by zero
    EXPECT_EQ(std::rand(), first);

    std::srand(7);
    EXPECT_EQ(randomRange(1, 0), 0);  // still draws one value
    EXPECT_EQ(std::rand(), second);

    std::srand(7);
    EXPECT_EQ(randomRange(560, 0), first % 560);
}

TEST(RandomRange, StaysInItsRange) {
    std::srand(11);
    for (int i = 0; i < 10000; ++i) {
        const int y = randomRange(560, 0);
        ASSERT_GE(y, 0);
        ASSERT_LT(y, 560);
        const int z = randomRange(-10, -20);
        ASSERT_GE(z, -20);
        ASSERT_LT(z, -10);
    }
    // The widest possible span neither overflows nor leaves the range.
    const int wide = randomRange(INT_MAX, INT_MIN);
    EXPECT_GE(wide, INT_MIN);
    EXPECT_LT(wide, INT_MAX);
}
