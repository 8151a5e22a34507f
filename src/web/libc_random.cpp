// rand() and srand() of the browser build, dealing the desktop's sequence for every seed.
// SPDX-FileCopyrightText: 2026 Tumblewing developers
// SPDX-License-Identifier: MIT
#include "web/random_sequence.h"

namespace {
RandomSequence& sequence() {
    static RandomSequence s;  // seeded with 1 until srand, as the C library's is
    return s;
}
}  // namespace

// These stand in for the C library's own: the linker takes them first, and
// std::rand and std::srand call them.
extern "C" int rand(void) { return sequence().next(); }
extern "C" void srand(unsigned seed) { sequence().reseed(seed); }
