// The game's only collision test and its random placement helper.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#pragma once

#include "geometry/quad.h"

// `value` truncated toward zero, as a conversion to int does, but defined for
// every double: values beyond the int range give INT_MAX or INT_MIN, NaN
// gives 0. Wherever the plain conversion is defined the answer is the same.
int truncateToInt(double value);

// Signed doubled area of the triangle (a,b), (c,d), (e,f), truncated toward
// zero (see truncateToInt: a flier far off screen still gets the right sign).
int orientation(float a, float b, float c, float d, float e, float f);

// Whether (x, y) lies inside a four-point quad of either winding. Values that
// truncate to zero count as non-negative, so a point on an edge of a
// clockwise-listed quad is outside. A quad without exactly four points
// contains nothing.
bool isInsideQuad(const Quad& shape, float x, float y);

// A random integer in low .. high-1, drawing exactly one value from rand().
// When high is not above low there is no such integer: the answer is 0 and
// rand() is not called.
int randomRange(int high, int low);
