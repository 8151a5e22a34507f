// Point-in-quad test and random range, exactly as the collision rules need them.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "geometry/geometry.h"

#include <climits>
#include <cstdlib>

int truncateToInt(double value) {
    // Every double in (INT_MIN - 1, INT_MAX + 1) truncates into the range;
    // both bounds are exact in a double.
    constexpr double Above = double(INT_MAX) + 1.0;
    constexpr double Below = double(INT_MIN) - 1.0;
    if (value >= Above) return INT_MAX;
    if (value <= Below) return INT_MIN;
    if (value != value) return 0;  // NaN
    return static_cast<int>(value);
}

int orientation(float a, float b, float c, float d, float e, float f) {
    const double value = (double(a) - e) * (double(d) - f) - (double(c) - e) * (double(b) - f);
    return truncateToInt(value);
}

bool isInsideQuad(const Quad& shape, float x, float y) {
    if (shape.pointCount != 4) return false;
    const Vec2 v0 = shape.corner(0);
    const Vec2 v1 = shape.corner(1);
    const Vec2 v2 = shape.corner(2);
    const Vec2 v3 = shape.corner(3);
    const bool n1 = orientation(x, y, v0.x, v0.y, v1.x, v1.y) < 0;
    if ((orientation(x, y, v1.x, v1.y, v2.x, v2.y) < 0) != n1) return false;
    if ((orientation(x, y, v2.x, v2.y, v3.x, v3.y) < 0) != n1) return false;
    return (orientation(x, y, v3.x, v3.y, v0.x, v0.y) < 0) == n1;
}

int randomRange(int high, int low) {
    if (high <= low) return 0;
    // The span is taken in 64 bits so that extreme bounds cannot overflow.
    const long long span = static_cast<long long>(high) - low;
    return static_cast<int>(low + std::rand() % span);
}
